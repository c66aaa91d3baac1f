#include "skin/stored/StoredStrings.h"

#include "skin/data/ResourceStrData.h"

#include <string>
#include <string_view>
#include <vector>

namespace tovrel {

namespace {

struct TChineseText {
    std::string_view Name;
    std::string_view Text;
};

constexpr TChineseText kChineseTexts[] = {
    {"MSG_BTN_YES", "是"},
    {"MSG_BTN_NO", "否"},
    {"MSG_BTN_OK", "确定"},
    {"MSG_BTN_CANCEL", "取消"},
    {"MSG_BTN_ABORT", "中止"},
    {"MSG_BTN_RETRY", "重试"},
    {"MSG_BTN_IGNORE", "忽略"},
    {"MSG_BTN_ALL", "全部"},
    {"MSG_BTN_NOTOALL", "全部否"},
    {"MSG_BTN_YESTOALL", "全部是"},
    {"MSG_BTN_HELP", "帮助"},
    {"MSG_BTN_CLOSE", "关闭"},
    {"MSG_CAP_SHOWFLAG", "不再显示此消息"},
};

std::vector<std::string> ProgramLines()
{
    std::vector<std::string> lines = TskResourceStrData::DefaultResStrings();
    for (std::string& line : lines) {
        const std::string_view name = std::string_view(line).substr(0, line.find('='));
        for (const TChineseText& text : kChineseTexts)
            if (name == text.Name) {
                line = std::string(name) + "=" + std::string(text.Text);
                break;
            }
    }
    return lines;
}

} // namespace

TskResourceStrData& StoredStringTable()
{
    static TskResourceStrData table = [] {
        TskResourceStrData t;
        t.SetResStrings(ProgramLines());
        return t;
    }();
    return table;
}

} // namespace tovrel
