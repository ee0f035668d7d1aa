#pragma once
// Helpers of the dialog tests: a fresh full-application image, a watcher that
// answers message boxes while a test drives a dialog, and the dialogs'
// Chinese texts.

#include <QApplication>
#include <QMessageBox>
#include <QPointer>
#include <QStringList>
#include <QTimer>
#include <QTranslator>
#include <QWidget>

#include <memory>

#include "image/family.h"
#include "image/image.h"

namespace veltest {

inline vel::Image NewImage() { return vel::NewDocumentImage(vel::VelmarVFamily()); }

/// Answers every message box with OK as soon as it shows, and keeps its text.
class MessageWatcher {
public:
    MessageWatcher() {
        timer_.setInterval(5);
        QObject::connect(&timer_, &QTimer::timeout, [this] {
            for (QWidget* w : QApplication::topLevelWidgets()) {
                auto* box = qobject_cast<QMessageBox*>(w);
                if (box && box->isVisible() && !answered_.contains(box)) {
                    answered_.append(box);
                    texts_ << box->text();
                    box->done(QMessageBox::Ok);
                }
            }
        });
        timer_.start();
    }
    const QStringList& texts() const { return texts_; }
    void clear() { texts_.clear(); }

private:
    QTimer timer_;
    QStringList texts_;
    QList<QPointer<QMessageBox>> answered_;
};

/// The dialogs' Chinese texts, installed while the object lives.
class ChineseTexts {
public:
    ChineseTexts() {
        ok_ = translator_.load(QStringLiteral(VEL_DIALOGS_QM));
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
