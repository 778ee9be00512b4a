#pragma once
#include <cstddef>
#include <cstdint>

#include "export/run_context.h"
#include "kxh_base.h"

// Export of the area covered by the selected box: every item that does not touch the box is
// hidden from output, the box's page is exported and restricted to the box (a clip for EPS,
// page boxes for PDF), and the hidden items are shown again.

// The TrimBox and BleedBox texts ("%.3f %.3f %.3f %.3f", points from the page's bottom-left
// corner of the output media) of a box on a page, with the bleed on every side.
void areaBoxTexts(const FixedRect& page, const FixedRect& box, Fixed bleed, char* trimBox,
                  char* bleedBox, size_t size);

// One host export of currentBox's page with styleName, to outputFile. Returns the host's
// result (0 written). Each hidden item gets its own suppress-output setting back.
int32_t exportArea(RunContext& state);

// The area part of the output set-up: outputRect, bleedRect and, for EPS, the clip.
void areaOutputSetup(RunContext& state, KxhOutput output);
