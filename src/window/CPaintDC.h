#pragma once

#include "platform/WindowDrawing.h"
#include "window/CDC.h"

namespace window {

// Paints a window's invalid area: begins painting on construction, ends it on destruction.
class CPaintDC : public CDC {
public:
    explicit CPaintDC(void* window);
    ~CPaintDC() override;
    MENTARIUM_CLASS(CPaintDC, CDC)

    const platform::PaintRecord& getPaintRecord() const { return record_; }

private:
    platform::PaintRecord record_;
};

}  // namespace window
