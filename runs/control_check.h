// The eight control record checks, shared by both formats.
#pragma once

#include "core/fields.h"
#include "core/location.h"
#include "runs/ports.h"

#include <span>
#include <string>
#include <string_view>

namespace qrv {

// Field `field` of the control record, with what a check wants there and a
// hint that says so.
Location LocateControlField(const Fields& control, FieldLayout layout, std::size_t field,
                            std::string expected);

// Runs all eight checks in order, appends one ListErr line per failed check
// with where it failed (`layout` cut `control`), and answers whether any failed. A non-numeric piece of the
// effective date throws ConversionError (tagged "EffectiveDate") after checks 1-7 have run.
bool CheckControlRecord(const Fields& control, FieldLayout layout,
                        std::span<const std::string_view> applyCodes, ResultWindow& window);

} // namespace qrv
