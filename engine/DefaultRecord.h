/// \file
/// The record a cursor's InitRecord hands out: every column default applied, the rest blank.
#pragma once

#include "EngineContract.h"
#include "PacketFormat.h"
#include "RecordLayout.h"

#include <cstdint>
#include <vector>

namespace trevalo::engine {

/// Applies, in order, every packet attribute "DEFAULT_VALUE" (an Op::Assign expression) to a
/// blank record. A float constant for an integer field is rounded to the nearest integer, an
/// integer constant for a float field widened, a string "True" or "False" (any case) for a
/// boolean field taken as that boolean. Answers the first failure: kInvalidExpression,
/// kTypeMismatch, kValueTooLong, or kInvalidArgument for a number the field cannot hold.
Status BuildDefaultRecord(const RecordLayout& layout, const std::vector<Attribute>& attributes,
                          std::vector<std::uint8_t>& record);

} // namespace trevalo::engine
