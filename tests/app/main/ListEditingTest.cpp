// Editing the file list on the real main window: removing and clearing free
// exactly the rows' own tasks, moving carries a row's task with it, renaming
// in place refuses paths and keeps names unique, and selecting a row brings
// its settings back into the boxes.
#include "FileRowsTestSupport.h"

#include "app/main/RenameCheck.h"
#include "platform/vcl/Menus.h"
#include "skin/controls/SkinComboBox.h"
#include "skin/controls/SkinEdit.h"
#include "skin/controls/SkinOfficeComboBox.h"
#include "skin/controls/SkinPanel.h"

#include <algorithm>
#include <fstream>
#include <map>

namespace tovrel::test {
namespace {

using ListEditingTest = FileRowsTest;

std::vector<void*> RowTasks(TMainForm& main)
{
    std::vector<void*> tasks;
    for (int i = 0; i < main.FileList()->Items()->Count(); ++i)
        tasks.push_back(main.FileList()->Items()->Item(i)->Data);
    return tasks;
}

std::vector<void*> LiveTasks(TMainForm& main)
{
    std::vector<void*> tasks;
    for (int i = 0; i < main.Tasks().TasksCount(); ++i)
        tasks.push_back(main.Tasks().Task(i));
    return tasks;
}

bool Contains(const std::vector<void*>& tasks, void* task)
{
    return std::find(tasks.begin(), tasks.end(), task) != tasks.end();
}

TEST_F(ListEditingTest, RemovingFreesTheRowsOwnTaskAndRenumbersTheRest)
{
    TMainForm& main = Start();
    AddRow(main, Output("a.mp4"));
    AddRow(main, Output("b.mp4"));
    AddRow(main, Output("c.mp4"));
    void* second = main.FileList()->Items()->Item(1)->Data;
    main.FileList()->SetItemIndex(1);
    main.MenuItem("N13")->Click();

    EXPECT_EQ(Outputs(main), (std::vector<std::string>{Output("a.mp4"), Output("c.mp4")}));
    EXPECT_EQ(LiveTasks(main), RowTasks(main));
    EXPECT_FALSE(Contains(LiveTasks(main), second));
    EXPECT_EQ(SubItemText(*main.FileList()->Items()->Item(0), colTaskNumber), "1");
    EXPECT_EQ(SubItemText(*main.FileList()->Items()->Item(1), colTaskNumber), "2");
    EXPECT_EQ(main.FileList()->ItemIndex(), 0);
    EXPECT_FALSE(main.EmptyListPanel()->Visible());
}

TEST_F(ListEditingTest, ARowFromBeforeTheLastBatchNeverTakesANewFilesTask)
{
    TMainForm& main = Start();
    AddRow(main, Output("old.mp4"));
    main.ClearAllTasks(); // a batch ended
    TListItem& fresh = AddRow(main, Output("new.mp4"));
    main.FileList()->SetItemIndex(0);
    main.RemoveSelectedRow();

    EXPECT_EQ(Outputs(main), std::vector<std::string>{Output("new.mp4")});
    EXPECT_EQ(LiveTasks(main), std::vector<void*>{fresh.Data});
}

TEST_F(ListEditingTest, RemovingTheLastRowShowsTheEmptyListPicture)
{
    TMainForm& main = Start();
    EXPECT_TRUE(main.EmptyListPanel()->Visible());
    AddRow(main, Output("a.mp4"));
    EXPECT_FALSE(main.EmptyListPanel()->Visible());
    main.FileList()->SetItemIndex(0);
    main.RemoveSelectedRow();
    EXPECT_EQ(main.FileList()->Items()->Count(), 0);
    EXPECT_EQ(main.Tasks().TasksCount(), 0);
    EXPECT_TRUE(main.EmptyListPanel()->Visible());
    EXPECT_EQ(main.WorkflowState(), TWorkflowState::IdleEmpty);
    EXPECT_FALSE(main.MenuItem("N13")->Enabled());
}

TEST_F(ListEditingTest, ClearingDropsEveryRowAndTask)
{
    TMainForm& main = Start();
    AddRow(main, Output("a.mp4"));
    AddRow(main, Output("b.mp4"));
    main.MenuItem("N14")->Click();
    EXPECT_EQ(main.FileList()->Items()->Count(), 0);
    EXPECT_EQ(main.Tasks().TasksCount(), 0);
    EXPECT_TRUE(main.EmptyListPanel()->Visible());
    EXPECT_TRUE(main.MenuItem("Item111")->Enabled());
    EXPECT_FALSE(main.MenuItem("N14")->Enabled());
    EXPECT_FALSE(main.MenuItem("N7")->Enabled());
}

TEST_F(ListEditingTest, CommandsWithoutASelectedRowSayWhatIsMissing)
{
    TMainForm& main = Start();
    AddRow(main, Output("a.mp4"));
    main.RemoveSelectedRow();
    main.StartRenaming();
    EXPECT_EQ(notices, (std::vector<std::string>{"请先选择您需要删除的项目！", "请先选中您需要重命名的项目！"}));
    EXPECT_EQ(main.FileList()->Items()->Count(), 1);
    EXPECT_FALSE(main.RenameEdit()->Visible());
}

TEST_F(ListEditingTest, MovingCarriesTheRowsTaskAndStopsAtTheEnds)
{
    struct TCase {
        int Selected;
        const char* Menu;
        std::vector<std::string> Order;
        int SelectedAfter;
    };
    const TCase cases[] = {
        {0, "N111", {"a", "b", "c"}, 0},
        {2, "N2221", {"a", "b", "c"}, 2},
        {0, "N2221", {"b", "a", "c"}, 1},
        {2, "N111", {"a", "c", "b"}, 1},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(std::string(c.Menu) + " on row " + std::to_string(c.Selected));
        TMainForm& main = Start();
        for (const char* name : {"a", "b", "c"})
            AddRow(main, Output(std::string(name) + ".mp4"));
        std::map<std::string, void*> taskOf;
        for (int i = 0; i < 3; ++i)
            taskOf[Outputs(main)[i]] = main.FileList()->Items()->Item(i)->Data;
        main.FileList()->SetItemIndex(c.Selected);
        main.MenuItem(c.Menu)->Click();

        std::vector<std::string> expected;
        for (const std::string& name : c.Order)
            expected.push_back(Output(name + ".mp4"));
        EXPECT_EQ(Outputs(main), expected);
        EXPECT_EQ(main.FileList()->ItemIndex(), c.SelectedAfter);
        for (int i = 0; i < 3; ++i)
            EXPECT_EQ(main.FileList()->Items()->Item(i)->Data, taskOf[expected[i]]);
        // Removing the moved row frees the moved file's task.
        void* moved = main.FileList()->Items()->Item(c.SelectedAfter)->Data;
        main.RemoveSelectedRow();
        EXPECT_FALSE(Contains(LiveTasks(main), moved));
        EXPECT_EQ(main.Tasks().TasksCount(), 2);
    }
}

class RenameTest : public FileRowsTest {
protected:
    // Renames the selected row by typing `text` into the edit and leaving it.
    void Rename(TMainForm& main, const std::string& text)
    {
        main.MenuItem("N26")->Click();
        ASSERT_TRUE(main.RenameEdit()->Visible());
        main.RenameEdit()->SetText(text);
        main.EndRenaming();
    }
    // Row 0 "first.mp4" selected, a second row "taken.mp4" and a file "ondisk.mp4".
    void AddCollidingRows(TMainForm& main)
    {
        AddRow(main, Output("first.mp4"));
        AddRow(main, Output("taken.mp4"));
        std::ofstream(Output("ondisk.mp4")) << "x";
        main.FileList()->SetItemIndex(0);
    }
};

TEST_F(RenameTest, TheEditShowsTheNameWithoutExtensionOverTheOutputCell)
{
    TMainForm& main = Start();
    AddRow(main, Output("first.mp4"));
    main.FileList()->SetItemIndex(0);
    main.StartRenaming();
    EXPECT_TRUE(main.RenameEdit()->Visible());
    EXPECT_EQ(main.RenameEdit()->Text(), "first");
    const TListColumns& columns = *main.FileList()->Columns();
    EXPECT_EQ(main.RenameEdit()->Left(), columns.Items(0)->Width() + main.FileList()->Left() +
                                             columns.Items(1)->Width() + columns.Items(2)->Width() + 2);
    EXPECT_EQ(main.RenameEdit()->Width(), columns.Items(3)->Width());
}

TEST_F(RenameTest, ANewNameTakesTheFormatsExtensionAndIsMadeUnique)
{
    TMainForm& main = Start();
    AddCollidingRows(main);

    Rename(main, "plain");
    EXPECT_EQ(Outputs(main)[0], Output("plain.mp4"));
    Rename(main, "taken"); // another row's output
    EXPECT_EQ(Outputs(main)[0], Output("taken_1.mp4"));
    Rename(main, "ondisk"); // an existing file
    EXPECT_EQ(Outputs(main)[0], Output("ondisk_1.mp4"));
    EXPECT_FALSE(main.RenameEdit()->Visible());
    EXPECT_TRUE(notices.empty());
}

TEST_F(RenameTest, WithOverwritingChosenAnExistingFileKeepsItsName)
{
    TMainForm& main = Start();
    TConversionOptions options = main.OptionsDialog()->Options();
    options.OverwriteFile = true;
    main.OptionsDialog()->SetOptions(options);
    AddCollidingRows(main);
    Rename(main, "ondisk");
    EXPECT_EQ(Outputs(main)[0], Output("ondisk.mp4"));
    Rename(main, "taken"); // two rows never write one file
    EXPECT_EQ(Outputs(main)[0], Output("taken_1.mp4"));
}

TEST_F(RenameTest, RowsAsTheProgramAddsThemKeepANameAloneThatNoOtherRowHas)
{
    // Adding and starting leave the output name alone in the cell, in the output folder.
    TMainForm& main = Start();
    AddRow(main, "first.mp4");
    AddRow(main, "taken.mp4");
    main.FileList()->SetItemIndex(0);
    Rename(main, "taken");
    EXPECT_EQ(Outputs(main)[0], "taken_1.mp4");
    Rename(main, "plain");
    EXPECT_EQ(Outputs(main)[0], "plain.mp4");
}

TEST_F(RenameTest, PathsAndControlCharactersAreRefusedAndTheOldNameStays)
{
    TMainForm& main = Start();
    AddRow(main, Output("first.mp4"));
    main.FileList()->SetItemIndex(0);
    for (const std::string& text :
         std::vector<std::string>{"../up", "sub/name", "back\\slash", "a..b", "tab\there", "nl\nx", "del\x7f"}) {
        SCOPED_TRACE(text);
        notices.clear();
        Rename(main, text);
        EXPECT_EQ(Outputs(main)[0], Output("first.mp4"));
        EXPECT_EQ(notices, std::vector<std::string>{RenameRefusedText});
    }
}

TEST_F(RenameTest, EmptyTextChangesNothingAndTheEditStays)
{
    TMainForm& main = Start();
    AddRow(main, Output("first.mp4"));
    main.FileList()->SetItemIndex(0);
    Rename(main, "");
    EXPECT_EQ(Outputs(main)[0], Output("first.mp4"));
    EXPECT_TRUE(main.RenameEdit()->Visible());
}

class RowSelectionTest : public FileRowsTest {
protected:
    // What the boxes show after choosing a category and format and moving
    // each box to `wanted` (held to its list).
    static TRowPreset Choose(TMainForm& main, int category, int format, int wanted)
    {
        main.CategoryBox()->SetItemIndex(category);
        main.FormatBox()->SetItemIndex(format);
        TRowPreset preset{category, format, {}};
        for (TParameterBox which : ParameterBoxes) {
            TskSkinComboBox& box = *main.ParameterBox(which);
            const int position = std::min(wanted, box.Items()->Count() - 1);
            box.SetItemIndex(position);
            preset.Boxes[BoxIndex(which)] = std::max(position, 0);
        }
        return preset;
    }
    static void ExpectBoxes(TMainForm& main, const TRowPreset& preset)
    {
        EXPECT_EQ(main.CategoryBox()->ItemIndex(), preset.Category);
        EXPECT_EQ(main.FormatBox()->ItemIndex(), preset.Format);
        for (TParameterBox which : ParameterBoxes) {
            if (main.ParameterBox(which)->Items()->Count() > 0) {
                EXPECT_EQ(main.ParameterBox(which)->ItemIndex(), preset.Boxes[BoxIndex(which)])
                    << "box " << BoxIndex(which);
            }
        }
    }
};

TEST_F(RowSelectionTest, SelectingARowRestoresItsCategoryFormatAndBoxes)
{
    TMainForm& main = Start();
    const TRowPreset presets[] = {Choose(main, 0, 1, 2), Choose(main, 12, 7, 1), Choose(main, 7, 2, 3),
                                  Choose(main, 2, 10, 0), Choose(main, 15, 3, 4)};
    int n = 0;
    for (const TRowPreset& preset : presets)
        AddRow(main, Output("row" + std::to_string(n++) + ".mp4"), preset);
    EXPECT_EQ(SubItemText(*main.FileList()->Items()->Item(1), colCategoryCode), "1307");
    // Every order of visits lands on the row's own settings.
    for (int i : {1, 0, 3, 2, 4, 0, 4}) {
        SCOPED_TRACE("row " + std::to_string(i));
        main.FileList()->SetItemIndex(i);
        ExpectBoxes(main, presets[i]);
        EXPECT_EQ(SubItemText(*main.FileList()->Items()->Item(i), colOptionCode), MakeOptionCode(presets[i].Boxes));
    }
}

TEST_F(RowSelectionTest, ARowWithMalformedCodesChangesNothing)
{
    TMainForm& main = Start();
    const TRowPreset shown = Choose(main, 3, 2, 1);
    TListItem& row = AddRow(main, Output("odd.mp4"), {5, 1, {}});
    for (const char* code : {"abc", "", "9999", "-100", "150"}) {
        SCOPED_TRACE(code);
        SetSubItemText(row, colCategoryCode, code);
        main.FileList()->SetItemIndex(-1);
        main.FileList()->SetItemIndex(0);
        ExpectBoxes(main, shown);
    }
}

} // namespace
} // namespace tovrel::test
