// SPDX-License-Identifier: GPL-3.0-or-later
// Every field of the model state by its name, and the shortest text of a
// double that reads back as the same double. The export, the command line's
// JSON and CSV output and the batch rows write the fields through this table.
#pragma once

#include "Model.h"

#include <span>
#include <string>

namespace merivane::present {

enum class FieldKind { Integer, Real, Boolean };

struct TFieldSpec {
    const char* name;  // the public name: "Va", "SrcRfl.Mag", "CplIdeal"; stable whatever the member is called
    FieldKind kind;
    double (*value)(const TModel&);  // an integer as its value, a boolean as 0 or 1
};

// Every field of TModel in the order of its declaration, in base units: V, A,
// W, ratios, degrees and dB.
std::span<const TFieldSpec> ModelFields();

// The shortest decimal text that reads back as exactly x: plain from 1e-6 up
// to 1e16 ("0.1", "100000"), with an exponent outside ("1e+16", "1e-08"). A
// value that is not finite gives "inf", "-inf" or "nan".
void AppendShortest(std::string& out, double x);
std::string Shortest(double x);
void AppendInteger(std::string& out, long long n);

// A field's value as a CSV cell: integers as integers, booleans as 1 or 0,
// reals at full precision.
void AppendFieldCsv(std::string& out, const TFieldSpec& f, const TModel& m);
// The same as a JSON value: booleans as true or false, a real that is not
// finite as null.
void AppendFieldJson(std::string& out, const TFieldSpec& f, const TModel& m);

}  // namespace merivane::present
