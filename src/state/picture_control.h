#pragma once

#include "state/surface.h"

#include <memory>

namespace quilbrix {

// A picture control as the commands see it: a displayed size, and a surface
// that exists once a picture was loaded or the control was first touched.
//
// The displayed size and the surface size are apart: setting the size only
// changes how much of the surface is shown, from its top-left corner. The
// first call to surface() on a control without a picture creates a White
// surface of the control's current size, which keeps that size from then on.
class PictureControl {
public:
    PictureControl(int width, int height, bool autoSize)
        : width_(width)
        , height_(height)
        , autoSize_(autoSize)
    { }

    int width() const { return width_; }
    int height() const { return height_; }
    void setWidth(int width) { width_ = width; }
    void setHeight(int height) { height_ = height; }
    void setSize(int width, int height)
    {
        width_ = width;
        height_ = height;
    }

    // Whether the control takes the size of each picture loaded into it.
    bool autoSize() const { return autoSize_; }

    bool hasPicture() const { return surface_ != nullptr; }

    // The control's surface, created White at the current size if the
    // control holds none yet.
    Surface& surface()
    {
        if (!surface_)
            surface_ = std::make_unique<Surface>(width_, height_, White);
        return *surface_;
    }

    // The surface if there is one, without creating it (for display).
    const Surface* picture() const { return surface_.get(); }

    // Replaces the control's surface by `picture`; a control with automatic
    // size takes the picture's size.
    void load(Surface picture)
    {
        surface_ = std::make_unique<Surface>(std::move(picture));
        if (autoSize_)
            setSize(surface_->width(), surface_->height());
    }

private:
    int width_;
    int height_;
    bool autoSize_;
    std::unique_ptr<Surface> surface_;
};

// The picture control of a map matrix. Only the build draws on its
// surface, and it records here how far its numbers reach, so that the next
// build clears just that part rather than the whole surface.
struct MatrixControl : PictureControl {
    using PictureControl::PictureControl;
    int inkWidth = 0; // columns from the left that may hold numbers
    int inkHeight = 0; // rows from the top that may hold numbers
};

} // namespace quilbrix
