#pragma once
// Helpers of the settings and signalling dialog tests: a fresh image of the
// full application, a recorder that answers the dialogs' message boxes, and
// the Chinese language library.

#include <QCoreApplication>
#include <QStringList>
#include <QTranslator>

#include "image/family.h"
#include "image/image.h"
#include "shell/ui/message_box.h"

namespace veltest {

inline vel::Image NewImage() { return vel::NewDocumentImage(vel::VelmarVFamily()); }

/// Answers every message box with OK and keeps its text.
class MessageRecorder {
public:
    MessageRecorder() {
        velui::setMessageHook([this](const velui::MessageRequest& r) {
            texts << r.text;
            return QMessageBox::Ok;
        });
    }
    ~MessageRecorder() { velui::setMessageHook({}); }
    MessageRecorder(const MessageRecorder&) = delete;
    MessageRecorder& operator=(const MessageRecorder&) = delete;

    QStringList texts;
};

/// The Chinese language library, installed while the object lives.
class ChineseTexts {
public:
    ChineseTexts() {
        ok_ = translator_.load(QStringLiteral(VEL_QM_DIR "/Velmar_V_CH.qm"));
        if (ok_) QCoreApplication::installTranslator(&translator_);
    }
    ~ChineseTexts() {
        if (ok_) QCoreApplication::removeTranslator(&translator_);
    }
    bool loaded() const { return ok_; }

private:
    QTranslator translator_;
    bool ok_ = false;
};

}  // namespace veltest
