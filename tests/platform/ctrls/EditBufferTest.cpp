#include "platform/ctrls/EditBuffer.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>

namespace tovrel::test {
namespace {

struct BufferCase {
    const char* name;
    bool multiLine;
    const char* start;
    std::function<void(TEditBuffer&)> edit;
    const char* text;
    int selStart, selEnd;
};

TEST(EditBuffer, EditingTable)
{
    const BufferCase cases[] = {
        {"typing at the caret", false, "ac",
         [](TEditBuffer& b) {
             b.MoveCaret(1, false);
             b.ReplaceSel("b", true, true);
         },
         "abc", 2, 2},
        {"replacing a backwards selection", false, "hello",
         [](TEditBuffer& b) {
             b.Select(4, 1);
             b.ReplaceSel("i", true);
         },
         "hio", 2, 2},
        {"limit cuts the insertion", false, "ab",
         [](TEditBuffer& b) {
             b.SetMaxLength(4);
             b.MoveCaret(2, false);
             b.ReplaceSel("cdef", true);
         },
         "abcd", 4, 4},
        {"limit counts the replaced selection", false, "abcd",
         [](TEditBuffer& b) {
             b.SetMaxLength(4);
             b.Select(0, 2);
             b.ReplaceSel("xyz", true);
         },
         "xycd", 2, 2},
        {"single line keeps the first pasted line", false, "", [](TEditBuffer& b) { b.ReplaceSel("one\r\ntwo", true); },
         "one", 3, 3},
        {"memo keeps pasted lines", true, "", [](TEditBuffer& b) { b.ReplaceSel("one\r\ntwo", true); }, "one\r\ntwo", 8,
         8},
        {"backspace over CR LF removes both", true, "a\r\nb",
         [](TEditBuffer& b) {
             b.MoveCaret(3, false);
             b.DeleteBackward();
         },
         "ab", 1, 1},
        {"delete before CR LF removes both", true, "a\r\nb",
         [](TEditBuffer& b) {
             b.MoveCaret(1, false);
             b.DeleteForward();
         },
         "ab", 1, 1},
        {"backspace at the start does nothing", false, "ab", [](TEditBuffer& b) { b.DeleteBackward(); }, "ab", 0, 0},
        {"characters, not bytes", false, "中文字",
         [](TEditBuffer& b) {
             b.MoveCaret(2, false);
             b.DeleteBackward();
         },
         "中字", 1, 1},
        {"undo takes back a typed run at once", false, "x",
         [](TEditBuffer& b) {
             b.MoveCaret(1, false);
             for (const char* c : {"a", "b", "c"})
                 b.ReplaceSel(c, true, true);
             b.Undo();
         },
         "x", 1, 1},
        {"undo twice redoes", false, "x",
         [](TEditBuffer& b) {
             b.MoveCaret(1, false);
             b.ReplaceSel("yz", true);
             b.Undo();
             b.Undo();
         },
         "xyz", 3, 3},
        {"moving the caret ends a typed run", false, "",
         [](TEditBuffer& b) {
             b.ReplaceSel("a", true, true);
             b.MoveCaret(0, false);
             b.MoveCaret(1, false);
             b.ReplaceSel("b", true, true);
             b.Undo();
         },
         "a", 1, 1},
    };
    for (const BufferCase& c : cases) {
        SCOPED_TRACE(c.name);
        TEditBuffer buffer(c.multiLine);
        buffer.SetText(c.start);
        c.edit(buffer);
        EXPECT_EQ(buffer.Text(), c.text);
        EXPECT_EQ(buffer.SelStart(), c.selStart);
        EXPECT_EQ(buffer.SelEnd(), c.selEnd);
    }
}

TEST(EditBuffer, WordSteps)
{
    TEditBuffer buffer(false);
    buffer.SetText("one two, three");
    EXPECT_EQ(buffer.NextWord(0), 4);
    EXPECT_EQ(buffer.NextWord(4), 7); // the comma is a step of its own
    EXPECT_EQ(buffer.NextWord(7), 9);
    EXPECT_EQ(buffer.PrevWord(14), 9);
    EXPECT_EQ(buffer.PrevWord(9), 7);
    EXPECT_EQ(buffer.PrevWord(7), 4);
    EXPECT_EQ(buffer.WordAt(5), std::make_pair(4, 7));
}

TEST(EditBuffer, Lines)
{
    TEditBuffer buffer(true);
    buffer.SetText("ab\r\n\r\ncde");
    EXPECT_EQ(buffer.LineCount(), 3);
    EXPECT_EQ(buffer.LineIndex(1), 4);
    EXPECT_EQ(buffer.LineIndex(2), 6);
    EXPECT_EQ(buffer.LineIndex(3), -1);
    EXPECT_EQ(buffer.LineLength(0), 2);
    EXPECT_EQ(buffer.LineLength(1), 0);
    EXPECT_EQ(buffer.LineFromChar(7), 2);
    EXPECT_TRUE(buffer.Modified() == false);
}

} // namespace
} // namespace tovrel::test
