#include "session/comp_paint.h"

namespace revaze {

namespace {

template <typename Composer> void readComposer(Composer& composer, CompPaint& paint) {
    composer.UpdateDisplayLine();
    paint.displayLine = composer.displayLine.str();
    paint.hasCandidates = !composer.candidateList.empty();
    if (paint.hasCandidates) {
        composer.FormatCandidatePage();
        paint.candidatePageText = composer.candidatePageText.str();
    }
}

} // namespace

CompPaint PrepareCompPaint(ImeParts& ime, int desktopWidth, int desktopHeight) {
    CompPaint paint;
    if (ime.state.inputMode != kModeTibetan) {
        paint.placement = CompPlacement::Nothing;
        return paint;
    }
    paint.source = ime.state.activeComposer();
    withActiveComposer(ime, [&paint](auto& composer) { readComposer(composer, paint); });
    if (paint.hasCandidates) {
        paint.placement = CompPlacement::NearCaret;
        return paint;
    }
    const int n = static_cast<int>(paint.displayLine.size());
    const int lineWidth = kAssumedCharWidth * n;
    if (lineWidth <= kCompWidth) {
        paint.placement = n == 0 ? CompPlacement::Hidden : CompPlacement::NearCaret;
        return paint;
    }
    // Too long for the window: widen it and keep its right edge at most 310 pixels right of the
    // screen's middle.
    paint.placement = CompPlacement::LongLine;
    paint.width = lineWidth;
    paint.height = kCompHeight;
    paint.y = desktopHeight - 230;
    paint.x = lineWidth <= 310 ? desktopWidth / 2 : desktopWidth / 2 - lineWidth + 310;
    return paint;
}

} // namespace revaze
