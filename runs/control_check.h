// The eight control record checks, shared by both formats.
#pragma once

#include "core/fields.h"
#include "runs/ports.h"

#include <span>
#include <string_view>

namespace qrv {

// Runs all eight checks in order, appends one ListErr line per failed check
// and answers whether any failed. A non-numeric piece of the effective date
// throws ConversionError (tagged "EffectiveDate") after checks 1-7 have run.
bool CheckControlRecord(const Fields& control, std::span<const std::string_view> applyCodes,
                        ResultWindow& window);

} // namespace qrv
