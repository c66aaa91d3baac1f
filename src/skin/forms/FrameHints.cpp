// The hints of the frame's objects and quick buttons, shown through the
// component's hint component.
#include "skin/forms/SkinForm.h"
#include "skin/hints/SkinHint.h"

namespace tovrel {

void TskSkinForm::SetSkinHint(TskSkinHint* Value)
{
    FSkinHint = Value;
}

void TskSkinForm::ShowFrameHint(const std::string& Hint)
{
    if (FSkinHint && !Hint.empty())
        FSkinHint->ActivateHint2(Hint);
}

void TskSkinForm::HideFrameHint()
{
    if (FSkinHint)
        FSkinHint->HideHint();
}

} // namespace tovrel
