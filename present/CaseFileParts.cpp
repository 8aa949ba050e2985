// SPDX-License-Identifier: GPL-3.0-or-later
#include "CaseFileParts.h"

#include <QJsonValue>

#include <cctype>

namespace merivane::present {

const char* JsonTypeName(const QJsonValue& v)
{
    switch (v.type()) {
    case QJsonValue::Null: return "null";
    case QJsonValue::Bool: return v.toBool() ? "true" : "false";
    case QJsonValue::Double: return "a number";
    case QJsonValue::String: return "a text";
    case QJsonValue::Array: return "a list";
    case QJsonValue::Object: return "an object";
    case QJsonValue::Undefined: break;
    }
    return "nothing";
}

bool SameNoCase(std::string_view a, std::string_view b)
{
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (std::tolower(static_cast<unsigned char>(a[i])) != std::tolower(static_cast<unsigned char>(b[i]))) return false;
    return true;
}

}  // namespace merivane::present
