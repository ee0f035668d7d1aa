#pragma once
// CChannelEditDlg ("Channel Edit"): the optional signalling of one channel at
// a time, and for a two-tone channel the encode entry it calls with ("Call")
// and the decode set it listens for ("Decode"). It edits the image directly
// and asks the view to store and refill its channel table around every
// change (ChannelTableAccess).

#include <QDialog>

#include "image/image.h"

class QComboBox;
class QGroupBox;
class QLabel;
class QPushButton;

namespace velui {

class CUpDownEdit;

/// What the channel dialog needs of the view that owns the channel table.
class ChannelTableAccess {
public:
    virtual ~ChannelTableAccess() = default;
    /// The table into the image (the view's StoreChannelGrid).
    virtual void storeChannelTable() = 0;
    /// The image into the table (the view's FillChannelGrid).
    virtual void fillChannelTable() = 0;
};

class CChannelEditDlg : public QDialog {
    Q_OBJECT
public:
    /// Opens on `channel` (1-128; the view's current row).
    CChannelEditDlg(vel::Image& image, int channel, ChannelTableAccess& table, QWidget* parent = nullptr);

    int channel() const { return channel_; }

    /// Enter: stores the Call and Decode choices, then closes.
    void accept() override;
    /// The close box and Escape: the same store, then the dialog closes.
    void reject() override;

    CUpDownEdit* channelBox() const { return channelBox_; }
    QComboBox* typeList() const { return type_; }
    QGroupBox* twoToneGroup() const { return twoToneGroup_; }
    CUpDownEdit* callBox() const { return call_; }
    CUpDownEdit* decodeBox() const { return decode_; }
    QPushButton* okButton() const { return ok_; }

protected:
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    vel::Byte& signallingByte();
    vel::Byte& twoToneByte();
    /// Shows the channel's choices, stores its type and refills the table.
    void refresh();
    void changeChannel(int channel);
    void onChannelTyped(const QString& text);
    /// Call and Decode into the image, for a "2-Tone" channel.
    void storeCallDecode();
    void selectTypeOfChannel();

    vel::Image& image_;
    ChannelTableAccess& table_;
    int channel_ = 1;
    CUpDownEdit* channelBox_ = nullptr;
    QComboBox* type_ = nullptr;
    QGroupBox* twoToneGroup_ = nullptr;
    CUpDownEdit* call_ = nullptr;
    CUpDownEdit* decode_ = nullptr;
    QPushButton* ok_ = nullptr;
};

}  // namespace velui
