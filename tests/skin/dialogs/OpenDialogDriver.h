#pragma once
// Runs a file dialog headless: once its form is up, modal and active, `act`
// runs on it (selecting rows, typing, pressing keys); the modal loop then
// ends through what `act` did. Fixture folders are made per test.
#include "../../platform/shell/TempTree.h"
#include "../../platform/vcl/ControlTestSupport.h"
#include "ModalFormDriver.h"
#include "platform/shell/ShellUnit.h"
#include "platform/wm/Input.h"
#include "skin/dialogs/OpenDlgForm.h"
#include "skin/shell/ShellListView.h"

#include <functional>
#include <string>

namespace tovrel::test {

class OpenDialogTest : public ControlTest {
protected:
    void SetUp() override
    {
        ControlTest::SetUp();
        InitializeShellUnit();
    }
    void TearDown() override
    {
        Application->OnMessage = nullptr;
        ControlTest::TearDown();
    }
    // Runs `show` with `act` armed for the first dialog form that becomes active.
    template <class Show> auto Answer(std::function<void(TskOpenDlgForm&)> act, Show show)
    {
        return AnswerModal<TskOpenDlgForm>(std::move(act), show);
    }
    static void Keys(std::initializer_list<UINT> keys)
    {
        for (UINT vk : keys) {
            InjectKey(vk, true);
            InjectKey(vk, false);
        }
    }
    // The row of the list showing that name; -1 when none.
    static int RowOf(TskOpenDlgForm& form, const std::string& name)
    {
        for (int i = 0; i < form.FileListView->FolderCount(); ++i)
            if (form.FileListView->GetFolder(i)->DisplayName() == name)
                return i;
        return -1;
    }
    static void SelectRows(TskOpenDlgForm& form, std::initializer_list<const char*> names)
    {
        for (const char* name : names) {
            const int row = RowOf(form, name);
            ASSERT_GE(row, 0) << name;
            form.FileListView->Items()->Item(row)->SetSelected(true);
        }
    }
};

} // namespace tovrel::test
