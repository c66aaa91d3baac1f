// Type-ahead on an owner-data list view: the owner finds the row, no row is
// fetched to search.
#include "CtrlsTestSupport.h"

#include "platform/ctrls/ListView.h"
#include "platform/ctrls/TypeAhead.h"
#include "platform/vcl/Errors.h"

#include <string>
#include <vector>

namespace tovrel::test {
namespace {

class ListViewOwnerData : public CtrlsTest {
protected:
    static constexpr int kRows = 10000;

    void SetUp() override
    {
        CtrlsTest::SetUp();
        const char* const words[] = {"alpha", "beta", "gamma", "delta"};
        for (int i = 0; i < kRows; ++i)
            names.push_back(std::string(words[i % 4]) + " " + std::to_string(i));
        view = &Place<TListView>(Rect(10, 10, 300, 200));
        view->Columns()->Add()->SetWidth(200);
        view->SetOwnerData(true);
        view->OnData = [this](TObject*, TListItem* item) {
            ++fetches;
            item->SetCaption(names[std::size_t(item->Index())]);
        };
        view->Items()->SetCount(kRows);
        Pump();
    }
    // The shell list's search: a prefix test from `start`, wrapping before it.
    void AnswerFromNames()
    {
        view->OnDataFind = [this](TObject*, TItemFind find, const std::string& text, TPoint, void*, int start,
                                  TSearchDirection, bool wrap, int& index) {
            const int fetchesBefore = fetches;
            finds.push_back({find, text, start, wrap});
            for (int n = 0; n < kRows && index < 0; ++n) {
                const int row = (start + n) % kRows;
                if (row >= start || wrap)
                    index = names[std::size_t(row)].starts_with(text) ? row : -1;
            }
            EXPECT_EQ(fetches, fetchesBefore);
        };
    }
    int TypeFrom(int focused, std::string_view text)
    {
        clock->Advance(TTypeAhead::kTimeoutMs + 1); // a fresh search
        view->SetItemIndex(focused);
        view->SetFocus();
        Pump();
        fetches = 0;
        Type(text);
        EXPECT_LE(fetches, view->VisibleRowCount() + 4) << "only rows drawn or reported are fetched";
        return view->ItemIndex();
    }

    struct TFind {
        TItemFind find;
        std::string text;
        int start;
        bool wrap;
        bool operator==(const TFind&) const = default;
    };
    std::vector<std::string> names;
    TListView* view = nullptr;
    int fetches = 0;
    std::vector<TFind> finds;
};

TEST_F(ListViewOwnerData, TypedPrefixesAreFoundByTheOwner)
{
    AnswerFromNames();
    struct Case {
        int focused;
        const char* typed;
        int found;
    };
    const Case cases[] = {
        {0, "g", 2},
        {9998, "a", 0},          // wraps past the last row
        {0, "gamma 7002", 7002}, // a long prefix
        {5000, "delta 12", 123}, // no later row starts so: the first one from the top
        {3, "alpha 4", 4},       // a longer prefix stays on the row found
        {300, "zeta", 300},      // nothing found: the selection stays
    };
    for (const Case& c : cases)
        EXPECT_EQ(TypeFrom(c.focused, c.typed), c.found) << c.typed;
    // Each search asks for a partial string, wrapping, from the row after the
    // focused one (the focused one itself once the prefix is longer).
    ASSERT_GE(finds.size(), 2u);
    EXPECT_EQ(finds[0], (TFind{ifPartialString, "g", 1, true}));
    EXPECT_EQ(finds[1], (TFind{ifPartialString, "a", 9999, true}));
}

TEST_F(ListViewOwnerData, WithoutAnAnswerNothingIsFetchedOrSelected)
{
    EXPECT_EQ(TypeFrom(7, "beta"), 7); // no OnDataFind: nothing found
    view->OnDataFind = [](TObject*, TItemFind, const std::string&, TPoint, void*, int, TSearchDirection, bool,
                          int& index) { index = kRows + 5; };
    EXPECT_EQ(TypeFrom(7, "b"), 7); // a row past the end is not taken
}

TEST_F(ListViewOwnerData, ItemIndexReadsAndWritesWithoutFetching)
{
    fetches = 0;
    view->SetItemIndex(9000);
    EXPECT_EQ(view->ItemIndex(), 9000);
    view->SetItemIndex(-1);
    EXPECT_EQ(view->ItemIndex(), -1);
    EXPECT_EQ(fetches, 0);
    EXPECT_THROW(view->SetItemIndex(kRows), EListError);
}

} // namespace
} // namespace tovrel::test
