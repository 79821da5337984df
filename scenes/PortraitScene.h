#pragma once

struct Show;

// The portrait photograph, full-screen and still.
void PortraitScene(const Show& show);
