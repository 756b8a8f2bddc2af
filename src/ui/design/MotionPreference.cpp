#include "ui/design/MotionPreference.hpp"

#include <atomic>

namespace zentrel::ui {
namespace {

std::atomic<bool> reduced{false};

}  // namespace

bool reducedMotion() { return reduced.load(); }

void setReducedMotion(bool reduce) { reduced.store(reduce); }

}  // namespace zentrel::ui
