#pragma once
// CTwoTonePage: a page of the two-tone dialog. A page works on the image
// directly: it loads its values when it goes from hidden to shown and stores
// them when it goes from shown to hidden, and a page that is shown when the
// dialog closes stores then. A page that is never shown neither loads nor
// stores. "Shown" is the page's own state, set by the tab that owns it: a
// page stays shown while a container around it is hidden (the decode sets
// behind the Encode tab), so hiding a container stores nothing.

#include <QWidget>

#include "image/image.h"

namespace velui {

class CTwoTonePage : public QWidget {
    Q_OBJECT
public:
    explicit CTwoTonePage(vel::Image& image, QWidget* parent = nullptr) : QWidget(parent), image_(image) {}

    bool isPageShown() const { return shown_; }

    /// Hidden → shown: the page loads from the image.
    void showPage() {
        if (shown_) return;
        shown_ = true;
        load();
    }
    /// Shown → hidden: the page stores into the image.
    void hidePage() {
        if (!shown_) return;
        shown_ = false;
        store();
    }
    /// The dialog closes: a shown page stores (once).
    void closePage() { hidePage(); }

protected:
    virtual void load() = 0;
    virtual void store() = 0;

    vel::Image& image_;

private:
    bool shown_ = false;
};

}  // namespace velui
