#pragma once

#include "window/CDC.h"

namespace window {

// Wraps a context that someone else owns; never releases or deletes it.
class CTempDC : public CDC {
public:
    explicit CTempDC(platform::DeviceContext* context);
    ~CTempDC() override;
    MENTARIUM_CLASS(CTempDC, CDC)
};

}  // namespace window
