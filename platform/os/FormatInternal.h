// Shared pieces of the number formatters: fixed-point and money text in given settings.
#pragma once

#include "Format.h"

// Fixed-point text rounded half away from zero; grouped by the thousands separator when asked.
QString FixedText(double value, int decimals, const TFormatSettings &settings, bool grouping);
// Money in the settings' currency layout.
QString CurrencyText(double value, int decimals, const TFormatSettings &settings);
