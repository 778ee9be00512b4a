#pragma once
#include <cstddef>
#include <cstdint>

#include "export/run_context.h"
#include "kxh_base.h"

// Export of the area covered by the selected box: every item that does not touch the box is
// hidden from output, the box's page is exported and restricted to the box (a clip for EPS,
// page boxes for PDF), and the hidden items are shown again.

// The TrimBox and BleedBox texts ("%.3f %.3f %.3f %.3f", points from the bottom-left corner of
// the output media) of an area of an output page (a page or a spread), with the bleed on every
// side.
void areaBoxTexts(const FixedRect& page, const FixedRect& box, Fixed bleed, char* trimBox,
                  char* bleedBox, size_t size);

// The output page of an area: the page holding the box, or its whole spread when the style
// exports spreads. Rectangles in the spread's coordinates.
struct AreaPage {
    int32_t firstPage;
    FixedRect rect;
};
AreaPage areaPage(int32_t layout, int32_t page, bool spreads);

// The part of box on the output page. False when that part has no area: there is nothing to
// export.
bool cropToPage(const FixedRect& box, const FixedRect& page, FixedRect* area);

// exportArea's result when the box covers nothing of its output page; nothing was exported.
constexpr int32_t kAreaEmpty = -1;

// One host export of the output page holding currentBox, cropped to the box, with styleName,
// to outputFile. Returns the host's result (0 written) or kAreaEmpty. Each hidden item gets
// its own suppress-output setting back.
int32_t exportArea(RunContext& state);

// The area part of the output set-up: bleedRect around the area (outputRect) and, for EPS, the
// clip.
void areaOutputSetup(RunContext& state, KxhOutput output);
