#include "app/presets/PresetCatalog.h"
#include "app/presets/PresetErrors.h"
#include "embedded/preset_tables.h"

namespace tovrel {

namespace {

std::string_view Table(std::string_view name)
{
    const std::optional<std::string_view> text = embedded::preset_tables::Find(name);
    if (!text)
        throw EPresetDataError("preset table " + std::string(name) + " is not embedded");
    return *text;
}

TPresetCatalog LoadCatalog(std::string_view prefix)
{
    const std::string p(prefix);
    return TPresetCatalog::Parse({Table(p + "_categories.tsv"), Table(p + "_formats.tsv"),
                                  Table(p + "_value_lists.tsv"), Table(p + "_key_defaults.tsv"),
                                  Table(p + "_profiles.tsv")});
}

} // namespace

const TPresetCatalog& MainPresets()
{
    static const TPresetCatalog catalog = LoadCatalog("main");
    return catalog;
}

const TPresetCatalog& DialogPresets()
{
    static const TPresetCatalog catalog = LoadCatalog("dialog");
    return catalog;
}

} // namespace tovrel
