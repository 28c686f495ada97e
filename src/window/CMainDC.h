#pragma once

#include "window/CDC.h"

namespace window {

// The whole screen's context, given back to the screen on destruction.
class CMainDC : public CDC {
public:
    CMainDC();
    ~CMainDC() override;
    MENTARIUM_CLASS(CMainDC, CDC)
};

}  // namespace window
