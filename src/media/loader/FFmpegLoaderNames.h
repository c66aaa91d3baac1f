/* The names bound from each run-time library, in binding order. Plain C and
 * macro-only, so the fake libraries of the tests can export the same names.
 * The version function of each FFmpeg library is listed apart: the loader
 * calls it to check the major version against the headers we compiled with. */
#ifndef TOVREL_MEDIA_FFMPEG_LOADER_NAMES_H
#define TOVREL_MEDIA_FFMPEG_LOADER_NAMES_H

/* The lists keep their hand-made lines. */
/* clang-format off */

/* The C library (always present; counts as loaded once bound). */
#define TOVREL_LIBC_ENTRIES(X) \
    X(fclose) X(fopen) X(fprintf) X(fread) X(fseek) X(ftell) X(fwrite) \
    X(snprintf) X(strtod) X(strtok_r) X(strtol) X(vsnprintf)

#define TOVREL_AVUTIL_ENTRIES(X) \
    X(av_compare_ts) X(av_fifo_alloc2) X(av_fifo_freep2) X(av_fifo_read) \
    X(av_fifo_write) X(av_fifo_grow2) X(av_fifo_can_read) \
    X(av_find_nearest_q_idx) X(av_free) X(av_freep) X(av_gcd) X(av_get_pix_fmt) \
    X(av_log) X(av_log_default_callback) X(av_log_get_level) X(av_log_set_callback) \
    X(av_log_set_level) X(av_malloc) X(av_mallocz) X(av_realloc) X(av_reduce) \
    X(av_rescale) X(av_rescale_q) X(av_strdup) X(av_strlcpy) X(av_strstart) \
    X(av_pix_fmt_desc_get) X(av_gettime) \
    X(av_strerror) X(av_dict_get) X(av_dict_set) X(av_dict_copy) X(av_dict_free) X(av_parse_time) \
    X(av_fast_malloc) X(av_fast_realloc) X(av_opt_find) X(av_opt_get) \
    X(av_opt_get_int) X(av_opt_set) X(av_get_picture_type_char) \
    X(av_parse_video_rate) X(av_parse_video_size) X(av_pix_fmt_get_chroma_sub_sample) \
    X(av_get_pix_fmt_name) X(av_get_pix_fmt_string) X(av_get_sample_fmt) \
    X(av_get_sample_fmt_name) X(av_get_sample_fmt_string) X(av_get_bytes_per_sample) \
    X(av_channel_layout_from_mask) X(av_image_get_buffer_size) X(av_image_fill_arrays) \
    X(av_image_copy) X(av_frame_alloc) X(av_frame_free) X(av_frame_unref) \
    X(av_gettime_relative) X(av_frame_move_ref) X(av_channel_layout_default) \
    X(av_channel_layout_uninit) X(av_channel_layout_copy) X(av_channel_layout_compare) \
    X(av_d2q) X(av_audio_fifo_alloc) X(av_audio_fifo_free) X(av_audio_fifo_write) \
    X(av_audio_fifo_read) X(av_audio_fifo_size) X(av_opt_set_bin) X(av_opt_set_int) \
    X(av_frame_get_buffer) X(av_frame_make_writable) X(av_frame_copy_props) \
    X(av_frame_ref) X(av_frame_copy) X(av_samples_set_silence) X(av_sample_fmt_is_planar) \
    X(av_opt_set_double) X(av_samples_get_buffer_size) X(av_display_rotation_get)
#define TOVREL_AVUTIL_VERSION avutil_version

#define TOVREL_SWSCALE_ENTRIES(X) \
    X(sws_freeContext) X(sws_getContext) X(sws_getCachedContext) X(sws_scale)
#define TOVREL_SWSCALE_VERSION swscale_version

#define TOVREL_SWRESAMPLE_ENTRIES(X) \
    X(swr_alloc_set_opts2) X(swr_init) X(swr_convert) X(swr_free) \
    X(swr_set_compensation) X(swr_get_delay)
#define TOVREL_SWRESAMPLE_VERSION swresample_version

#define TOVREL_AVFORMAT_ENTRIES(X) \
    X(avformat_alloc_context) X(avformat_close_input) X(av_codec_get_id) \
    X(av_codec_get_tag) X(av_filename_number_test) X(av_find_input_format) \
    X(avformat_find_stream_info) X(av_get_packet) X(av_guess_codec) X(av_guess_format) \
    X(av_demuxer_iterate) X(av_interleaved_write_frame) X(avformat_new_stream) \
    X(av_muxer_iterate) X(avformat_open_input) X(av_pkt_dump_log2) \
    X(avio_enum_protocols) X(av_read_frame) X(av_read_pause) X(av_read_play) \
    X(av_seek_frame) X(avformat_write_header) X(av_write_trailer) X(av_sdp_create) \
    X(avformat_seek_file) X(av_dump_format) X(avio_write) X(avio_flush) \
    X(avio_open2) X(avio_closep) X(avio_feof) X(avio_size) X(avio_seek) \
    X(avformat_free_context) X(avformat_alloc_output_context2) \
    X(avio_alloc_context) X(avio_context_free) \
    X(av_guess_frame_rate) X(av_find_best_stream) X(av_stream_get_end_pts) \
    X(av_stream_get_side_data) X(av_stream_new_side_data)
#define TOVREL_AVFORMAT_VERSION avformat_version

#define TOVREL_AVFILTER_ENTRIES(X) \
    X(av_filter_iterate) X(av_buffersrc_add_frame_flags) X(avfilter_config_links) \
    X(avfilter_get_by_name) X(avfilter_graph_alloc) X(avfilter_graph_create_filter) \
    X(avfilter_graph_config) X(avfilter_graph_free) X(avfilter_graph_parse) \
    X(avfilter_graph_parse_ptr) X(avfilter_inout_alloc) X(avfilter_inout_free) \
    X(avfilter_link) X(av_buffersink_get_frame) X(av_buffersink_get_w) X(av_buffersink_get_h) \
    X(av_buffersink_get_sample_aspect_ratio) X(av_buffersink_get_time_base)
#define TOVREL_AVFILTER_VERSION avfilter_version

#define TOVREL_AVCODEC_ENTRIES(X) \
    X(av_bsf_get_by_name) X(av_bsf_alloc) X(av_bsf_init) X(av_bsf_send_packet) \
    X(av_bsf_receive_packet) X(av_bsf_free) X(av_get_bits_per_sample) \
    X(avcodec_align_dimensions2) X(avcodec_alloc_context3) X(avcodec_free_context) \
    X(avcodec_parameters_from_context) X(avcodec_parameters_to_context) \
    X(avcodec_parameters_copy) X(avcodec_close) X(avcodec_decode_subtitle2) \
    X(avcodec_encode_subtitle) X(avcodec_send_packet) X(avcodec_receive_frame) \
    X(avcodec_send_frame) X(avcodec_receive_packet) X(avcodec_find_decoder) \
    X(avcodec_find_decoder_by_name) X(avcodec_find_encoder) \
    X(avcodec_find_encoder_by_name) X(avcodec_flush_buffers) X(avcodec_open2) \
    X(avcodec_string) X(av_codec_iterate) \
    X(av_packet_alloc) X(av_packet_free) X(av_packet_ref) X(av_packet_unref) \
    X(av_packet_make_refcounted) X(av_new_packet) \
    X(av_rdft_init) X(av_rdft_calc) X(av_rdft_end) \
    X(avsubtitle_free) X(av_packet_move_ref) X(av_packet_rescale_ts) X(av_bsf_list_parse_str) \
    X(avcodec_get_name) X(av_packet_get_side_data)
#define TOVREL_AVCODEC_VERSION avcodec_version

#define TOVREL_AVDEVICE_ENTRIES(X) X(avdevice_register_all)
#define TOVREL_AVDEVICE_VERSION avdevice_version

/* SDL2 for the preview player and the after-batch chime; video never goes
   through SDL. */
#define TOVREL_SDL_ENTRIES(X) \
    X(SDL_Init) X(SDL_Quit) X(SDL_setenv) X(SDL_GetError) X(SDL_AddTimer) \
    X(SDL_RemoveTimer) X(SDL_OpenAudio) X(SDL_PauseAudio) X(SDL_CloseAudio) \
    X(SDL_MixAudio) X(SDL_WaitEvent) X(SDL_PushEvent) X(SDL_EventState) \
    X(SDL_CreateMutex) X(SDL_LockMutex) X(SDL_UnlockMutex) X(SDL_DestroyMutex) \
    X(SDL_CreateCond) X(SDL_DestroyCond) X(SDL_CondSignal) X(SDL_CondWait) \
    X(SDL_CreateThread) X(SDL_WaitThread) X(SDL_GetCurrentAudioDriver) \
    X(SDL_GetCurrentVideoDriver) \
    X(SDL_InitSubSystem) X(SDL_QuitSubSystem) X(SDL_OpenAudioDevice) \
    X(SDL_PauseAudioDevice) X(SDL_CloseAudioDevice) X(SDL_MixAudioFormat) \
    X(SDL_RWFromFile) X(SDL_LoadWAV_RW) X(SDL_FreeWAV) X(SDL_QueueAudio)

/* clang-format on */

#endif
