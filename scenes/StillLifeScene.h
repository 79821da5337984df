#pragma once

struct Show;

// The birch wood with two cans, the shop sign, the delicacies and the logo over it.
void StillLifeScene(const Show& show);
