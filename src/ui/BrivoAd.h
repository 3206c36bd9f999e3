#pragma once
// The advertisement banner in the main window's picture area: it starts the
// advertisement reader, keeps the advertisement reported last with its own
// copy of the picture, paints it in one of six layouts, switches the text
// colour while the mouse is over it, and opens its link on a click.
#include <memory>

#include "gfx/AddonPicture.h"
#include "net/BrivoAdReader.h"
#include "ui/toolkit/OrixImage.h"

class TBrivoAd {
public:
    // The area is not owned and must outlive the banner. The reader is set
    // up (version, cache folder, language) but not started.
    explicit TBrivoAd(TOrixImage& imageBox);

    // Makes the cache folder when it is missing and starts the reader.
    void Start();
    void AdReady(TBrivoADReader& reader, const TagBrivoAdInfo& ad);

    TBrivoADReader& Reader() { return reader_; }
    const TagBrivoAdFields& Ad() const { return ad_; }
    bool Hover() const { return hover_; }

private:
    void Paint(TOrixCanvas& canvas);
    void Click();
    void SetHover(bool hover);

    TOrixImage& imageBox_;
    TagBrivoAdFields ad_;
    AddonPicture adImage_;
    bool hover_ = false;
    TBrivoADReader reader_;
};
