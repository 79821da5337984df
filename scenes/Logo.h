#pragma once

struct Show;

// The group's wordmark, low on the right, placed from the full screen width.
void drawLogo(const Show& show);
