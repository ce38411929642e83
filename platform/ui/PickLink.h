// A caption that opens a pick when clicked ("č.Výrobku" above its edit): its text shown as a link whose
// activation runs the action through Guarded.
#pragma once

#include <functional>

class QLabel;

void MakePickLink(QLabel *label, const std::function<void()> &pick);
