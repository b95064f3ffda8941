// The small dialog that asks for the options of a command (the size and
// segments of a new sphere, the distance of an extrusion), built from the
// command's parameters.
#pragma once

#include <QString>
#include <optional>
#include <vector>

#include "commands/parameters.h"

class QWidget;

// One row per parameter of `params`, labelled with its label, starting from
// its value in `initial` or else its fallback; the values on OK, nothing on
// cancel. A list of indices is ticked among the parameter's choices.
std::optional<Values> AskParameterValues(QWidget* parent, const QString& title,
                                         const std::vector<ParamSpec>& params,
                                         const Values& initial);
