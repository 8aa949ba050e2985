// SPDX-License-Identifier: GPL-3.0-or-later
#include "ProcessEdits.h"

#include "ReflectionText.h"

#include <algorithm>

namespace merivane::present {

namespace {

bool Within(const TCase& c, int row) { return row >= 0 && static_cast<std::size_t>(row) < c.loadSet.size(); }

std::string Trim(const std::string& s)
{
    const std::size_t a = s.find_first_not_of(" \t"), b = s.find_last_not_of(" \t");
    return a == std::string::npos ? std::string() : s.substr(a, b - a + 1);
}

}  // namespace

bool AddSetLoad(TCase& c, int row)
{
    int n = 1;
    const auto taken = [&c](const std::string& name) {
        return std::any_of(c.loadSet.begin(), c.loadSet.end(), [&](const TSetLoad& l) { return l.name == name; });
    };
    while (taken("Load " + std::to_string(n))) ++n;
    TSetLoad load{"Load " + std::to_string(n), c.inputs.LoaRfl, std::nullopt};
    load.refl.Mism = 0;  // an input holds no result
    const std::size_t at = Within(c, row) ? static_cast<std::size_t>(row) + 1 : c.loadSet.size();
    c.loadSet.insert(c.loadSet.begin() + static_cast<std::ptrdiff_t>(at), std::move(load));
    return true;
}

bool RemoveSetLoad(TCase& c, int row)
{
    if (!Within(c, row)) return false;
    c.loadSet.erase(c.loadSet.begin() + row);
    return true;
}

bool MoveSetLoad(TCase& c, int row, int step)
{
    const int to = row + step;
    if (!Within(c, row) || !Within(c, to) || step == 0) return false;
    std::swap(c.loadSet[static_cast<std::size_t>(row)], c.loadSet[static_cast<std::size_t>(to)]);
    return true;
}

bool RenameSetLoad(TCase& c, int row, const std::string& name)
{
    const std::string trimmed = Trim(name);
    if (!Within(c, row) || trimmed.empty()) return false;
    // each load is named once, as the set's file has them: the worst case is named by its load
    for (const TSetLoad& l : c.loadSet)
        if (l.name == trimmed) return false;
    c.loadSet[static_cast<std::size_t>(row)].name = trimmed;
    return true;
}

bool RetypeSetLoad(TCase& c, int row, const std::string& text, std::string& error)
{
    if (!Within(c, row)) return false;
    TSetLoad& load = c.loadSet[static_cast<std::size_t>(row)];
    TRefl refl = load.refl;
    int form = 0;
    const TInputReading r = ReadReflectionInput(Trim(text), Input::LoaMag, Input::LoaPha, refl, form);
    if (!r.ok) {
        error = r.error;
        return false;
    }
    if (!load.measured && refl == load.refl) return false;
    load.refl = refl;
    load.measured.reset();  // a typed load replaces a measured one
    return true;
}

std::string SetLoadText(const TSetLoad& load)
{
    if (load.measured) return load.measured->file + ", port " + std::to_string(load.measured->port);
    return ReflectionInputText(load.refl, 0, Input::LoaMag, Input::LoaPha);
}

}  // namespace merivane::present
