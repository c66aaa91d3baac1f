// ThreadSanitizer suppressions of the player tests. FFmpeg is not instrumented,
// so TSan does not see its atomic reference counts: a packet buffer that a
// decoder read in its thread and the read thread releases last (the count
// reaching zero in av_buffer_unref) looks like a race. Only that release is
// suppressed; every race in our own code still reports.
extern "C" const char* __tsan_default_suppressions()
{
    return "race:av_buffer_unref\n";
}
