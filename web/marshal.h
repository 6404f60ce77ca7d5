// What the page's two adapters (main.cpp: the van der Waals fluid and its
// reports; equations.cpp: the cubic equations) share to hand values over to
// JavaScript through Embind. Marshalling only: no number is worked out here.
#pragma once

#include <emscripten/bind.h>
#include <emscripten/val.h>

#include <initializer_list>
#include <string>
#include <utility>
#include <vector>

#include "maxwell.h"
#include "substances.h"

namespace marshal {

using emscripten::val;

// Bytes as a Uint8Array of the page's own (a copy, not a view of the heap):
// the reports hold a byte that is not UTF-8.
inline val bytes_of(const std::string& text)
{
    const auto* data = reinterpret_cast<const unsigned char*>(text.data());
    return val(emscripten::typed_memory_view(text.size(), data)).call<val>("slice");
}

// A JavaScript object with the fields given.
inline val object_of(std::initializer_list<std::pair<const char*, val>> fields)
{
    val o = val::object();
    for (const auto& [name, value] : fields)
        o.set(name, value);
    return o;
}

// A JavaScript array of values, each a registered value_object.
template <class T>
inline val array_of(const std::vector<T>& items)
{
    val list = val::array();
    for (const T& item : items)
        list.call<void>("push", val(item));
    return list;
}

// A chart's five branches of an isotherm, by stability, by name: the
// swallowtail's, each an array of { p, v, g }, or f's, of { v, f }.
template <class Branches>
val branches_of(const Branches& b)
{
    return object_of({{"liquid", array_of(b.liquid)}, {"metastableLiquid", array_of(b.metastable_liquid)},
                      {"unstable", array_of(b.unstable)}, {"metastableGas", array_of(b.metastable_gas)},
                      {"gas", array_of(b.gas)}});
}

inline const Substance& substance(int i) { return substances().at(static_cast<size_t>(i)); }

}  // namespace marshal
