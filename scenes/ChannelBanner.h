#pragma once

struct Show;

// The channel ident strip in the top-left corner, drawn with whatever blend function is current.
void ChannelBanner(const Show& show);
