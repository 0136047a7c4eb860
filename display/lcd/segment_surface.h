// The LCD as the handheld's logic drives it, by element id; the scene of the
// window is one, the recording surfaces of tests and hero-trace are others.
#pragma once

#include "display/lcd/element_ids.h"

namespace hero {

// The LCD as the engine sees it: segments lit by showing and darkened by
// hiding; the four digit positions instead take a copy of a glyph picture.
class SegmentSurface {
 public:
  virtual ~SegmentSurface() = default;
  virtual void set_visible(ElementId id, bool visible) = 0;
  virtual bool is_visible(ElementId id) const = 0;
  // The element `to` takes a copy of the picture of `from` (a glyph source).
  virtual void copy_picture(ElementId to, ElementId from) = 0;
  // The element's picture becomes empty; its visible flag is left alone.
  virtual void clear_picture(ElementId id) = 0;
};

}  // namespace hero
