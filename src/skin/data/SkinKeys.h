#pragma once
// Key tables of skin entries: each row ties an INI key to a field of the entry and
// carries the default that a missing key gives. Entry classes list their keys in
// reading order and, where the writer differs, the writing order by key name.
#include <span>
#include <stdexcept>
#include <string>
#include <string_view>
#include <type_traits>
#include <variant>

#include "skin/data/SkinValues.h"

namespace tovrel {

template <class E> struct TskKey {
    using Field = std::variant<std::string E::*, int E::*, bool E::*, TRect E::*, TPoint E::*, TFontStyles E::*,
                               TskStretchType E::*, TskMorphKind E::*, TskInActiveEffect E::*, TAlignment E::*,
                               TskStdCommand E::*>;

    // Integers and colours.
    constexpr TskKey(std::string_view name, int E::*field, int defaultValue = 0)
        : Name(name), Member(field), IntDefault(defaultValue)
    {}
    constexpr TskKey(std::string_view name, std::string E::*field, std::string_view defaultValue = {})
        : Name(name), Member(field), TextDefault(defaultValue)
    {}
    // Every other kind has the fixed default of its value syntax. The field may
    // be declared in a base class of E.
    template <class T, class Owner>
    requires std::is_base_of_v<Owner, E>
    constexpr TskKey(std::string_view name, T Owner::*field) : Name(name), Member(static_cast<T E::*>(field)) {}

    std::string_view Name;
    Field Member;
    int IntDefault = 0;
    std::string_view TextDefault;
};

namespace skin_keys_detail {

// Reader and writer of each value kind that has a fixed missing-key default.
template <auto Reader, auto Writer> struct Io {
    static constexpr auto Read = Reader;
    static constexpr auto Write = Writer;
};
template <class T> struct ValueIo;
template <> struct ValueIo<bool> : Io<&ReadBoolean, &WriteBoolean> {};
template <> struct ValueIo<TRect> : Io<&ReadRect, &WriteRect> {};
template <> struct ValueIo<TPoint> : Io<&ReadPoint, &WritePoint> {};
template <> struct ValueIo<TFontStyles> : Io<&ReadFontStyles, &WriteFontStyles> {};
template <> struct ValueIo<TskStretchType> : Io<&ReadStretchType, &WriteStretchType> {};
template <> struct ValueIo<TskMorphKind> : Io<&ReadMorphKind, &WriteMorphKind> {};
template <> struct ValueIo<TskInActiveEffect> : Io<&ReadInActiveEffect, &WriteInActiveEffect> {};
template <> struct ValueIo<TAlignment> : Io<&ReadAlignment, &WriteAlignment> {};
template <> struct ValueIo<TskStdCommand> : Io<&ReadStdCommand, &WriteStdCommand> {};

template <class E> void ReadOne(const TskIniFile& ini, std::string_view section, const TskKey<E>& key, E& entry)
{
    std::visit(
        [&](auto member) {
            auto& field = entry.*member;
            using T = std::remove_reference_t<decltype(field)>;
            if constexpr (std::is_same_v<T, std::string>)
                field = ini.ReadString(section, key.Name, key.TextDefault);
            else if constexpr (std::is_same_v<T, int>)
                field = ini.ReadInteger(section, key.Name, key.IntDefault);
            else
                field = ValueIo<T>::Read(ini, section, key.Name);
        },
        key.Member);
}

template <class E> void WriteOne(TskIniFile& ini, std::string_view section, const TskKey<E>& key, const E& entry)
{
    std::visit(
        [&](auto member) {
            const auto& field = entry.*member;
            using T = std::remove_cvref_t<decltype(field)>;
            if constexpr (std::is_same_v<T, std::string>)
                ini.WriteString(section, key.Name, field);
            else if constexpr (std::is_same_v<T, int>)
                ini.WriteInteger(section, key.Name, field);
            else
                ValueIo<T>::Write(ini, section, key.Name, field);
        },
        key.Member);
}

} // namespace skin_keys_detail

template <class E>
void ReadSkinKeys(E& entry, const TskIniFile& ini, std::string_view section, std::span<const TskKey<E>> keys)
{
    for (const TskKey<E>& key : keys)
        skin_keys_detail::ReadOne(ini, section, key, entry);
}

// Writes the keys in `writeOrder` (key names of `keys`), or in the order of
// `keys` when `writeOrder` is empty.
template <class E>
void WriteSkinKeys(const E& entry, TskIniFile& ini, std::string_view section, std::span<const TskKey<E>> keys,
                   std::span<const std::string_view> writeOrder = {})
{
    if (writeOrder.empty()) {
        for (const TskKey<E>& key : keys)
            skin_keys_detail::WriteOne(ini, section, key, entry);
        return;
    }
    if (writeOrder.size() != keys.size())
        throw std::logic_error("skin key write order does not list every key once");
    for (std::string_view name : writeOrder) {
        const TskKey<E>* found = nullptr;
        for (const TskKey<E>& key : keys)
            if (key.Name == name)
                found = &key;
        if (!found)
            throw std::logic_error("skin key \"" + std::string(name) + "\" has no table row");
        skin_keys_detail::WriteOne(ini, section, *found, entry);
    }
}

} // namespace tovrel
