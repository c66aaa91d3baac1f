#include "skin/data/fuzz/SkinIniFuzzBody.h"

#include "skin/data/SkinDescriptionText.h"

namespace tovrel::test {

void ExerciseSkinIniText(std::string_view text)
{
    const TskIniFile ini(text);
    (void)CheckSkinFile(ini);
    TskSkinDescription skin;
    try {
        skin.LoadFromIniFile(ini);
    } catch (const EConvertError&) {
        return;
    } catch (const ESkinListError&) {
        return;
    }
    TskIniFile written;
    skin.SaveToIniFile(written);
    TskSkinDescription reread;
    reread.LoadFromIniFile(TskIniFile(written.GetText()));
}

} // namespace tovrel::test
