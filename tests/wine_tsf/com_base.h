// The harness's own COM objects (a document, a context and its ranges) answer QueryInterface
// through the text service's template, without counting themselves in any module.
#pragma once

#include "platform/com_class.h"

namespace tsfharness {

template <typename... Entries>
using HarnessObject = revaze::ComClass<revaze::Uncounted, Entries...>;

} // namespace tsfharness
