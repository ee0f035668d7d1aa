#pragma once
// Marlowe's window leaves its text form "1.txt" in the current directory at
// every store (save and write). Tests that store a Marlowe table run in a
// temporary current directory of their own, never in the source or build tree.

#include <QDir>
#include <QString>
#include <QTemporaryDir>

namespace veltest {

/// Makes a fresh temporary directory the current directory while it lives.
class TemporaryCurrentDir {
public:
    TemporaryCurrentDir() : previous_(QDir::currentPath()) { QDir::setCurrent(dir_.path()); }
    ~TemporaryCurrentDir() { QDir::setCurrent(previous_); }
    TemporaryCurrentDir(const TemporaryCurrentDir&) = delete;
    TemporaryCurrentDir& operator=(const TemporaryCurrentDir&) = delete;

    QString path() const { return dir_.path(); }
    bool isValid() const { return dir_.isValid() && QDir::currentPath() == QDir(dir_.path()).absolutePath(); }

private:
    QString previous_;
    QTemporaryDir dir_;
};

}  // namespace veltest
