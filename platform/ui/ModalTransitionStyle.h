#pragma once

namespace ui {

// How a presented screen comes over the one that presents it, and leaves.
enum class ModalTransitionStyle { CoverVertical, FlipHorizontal };

} // namespace ui
