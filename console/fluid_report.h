// What the console says of the substances: their table, and the
// coexistence state of one at a temperature or pressure, in SI units.
#pragma once

#include <string>

#include "coexistence.h"
#include "messages.h"
#include "substances.h"

// The table of substances with their constants and sources.
std::string substance_list(const Messages& say);

// The coexistence state `s` of `fluid`, with Cv = cR: T, p, the volumes,
// densities and latent heat, and the fluid's measured point.
std::string state_report(const Messages& say, const Substance& fluid, const Coexistence& s, double c);
