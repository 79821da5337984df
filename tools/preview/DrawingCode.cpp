#include "DrawingCode.h"

#include "app/Frame.h"
#include "scenes/Show.h"

extern "C" __attribute__((visibility("default"))) DrawingCode tornuvaDrawingCode() {
    return {sizeof(Show), drawMomentAlone};
}
