#include "app/presets/ValueListStep.h"

namespace tovrel {

TParameterBoxesFill FillParameterBoxes(const TPresetCatalog& catalog, int key)
{
    TParameterBoxesFill fill;
    const TKeyDefaults* defaults = catalog.Defaults(key);
    if (defaults == nullptr)
        return fill;
    fill.KeyFound = true;
    for (TParameterBox box : ParameterBoxes) {
        const TBoxDefault& cell = defaults->Boxes[BoxIndex(box)];
        TBoxFill& target = fill.Boxes[BoxIndex(box)];
        target.Items = catalog.ListOf(cell).Items;
        target.Selected = cell.Position;
        const bool audioBox = box == TParameterBox::AudioBitrate || box == TParameterBox::SampleRate;
        target.Enabled = audioBox || !defaults->AudioOnly;
    }
    return fill;
}

} // namespace tovrel
