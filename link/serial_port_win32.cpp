// The serial port on Windows: a communications device opened through the
// file interface, with the driver's own timeouts doing the timing of every
// read and write.

#include <windows.h>

#include <cctype>
#include <string>

#include "image/message_quote.h"
#include "link/system_serial_port.h"

namespace vel {
namespace {

// "COM10" and above are only reachable through the device namespace; the
// short names work as they stand.
std::string DevicePath(const std::string& device) {
    if (device.size() > 4 && (device[0] == 'C' || device[0] == 'c') && (device[1] == 'O' || device[1] == 'o') &&
        (device[2] == 'M' || device[2] == 'm')) {
        bool digits = true;
        for (std::size_t i = 3; i < device.size(); ++i) digits = digits && std::isdigit(static_cast<unsigned char>(device[i]));
        if (digits) return "\\\\.\\" + device;
    }
    return device;
}

// The system's words for `error`, in UTF-8 like every text of ours (the
// ANSI code page of a Chinese system would be GBK).
std::string SystemReason(DWORD error) {
    wchar_t text[512] = {};
    const DWORD n = FormatMessageW(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, error, 0, text,
                                   static_cast<DWORD>(sizeof text / sizeof text[0]), nullptr);
    std::wstring wide(text, n);
    while (!wide.empty() && (wide.back() == L'\r' || wide.back() == L'\n' || wide.back() == L'.' || wide.back() == L' ' ||
                             wide.back() == L'\x3002'))
        wide.pop_back();
    std::string reason;
    if (!wide.empty()) {
        const int bytes = WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()), nullptr, 0,
                                              nullptr, nullptr);
        reason.resize(static_cast<std::size_t>(bytes > 0 ? bytes : 0));
        if (bytes > 0)
            WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()), reason.data(), bytes, nullptr,
                                nullptr);
    }
    if (reason.empty()) reason = "system error " + std::to_string(error);
    return reason;
}

OpenFailure ClassifyOpenFailure(const std::string& portName, const std::string& device, DWORD error) {
    OpenFailure f{OpenFailureKind::Other, portName, device, SystemReason(error), {}};
    switch (error) {
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND: f.kind = OpenFailureKind::Missing; break;
    // A communications device opened without sharing refuses every further
    // opener with "access denied".
    case ERROR_ACCESS_DENIED:
    case ERROR_SHARING_VIOLATION: f.kind = OpenFailureKind::InUse; break;
    default: break;
    }
    return f;
}

class Win32SerialPort final : public SerialPort {
public:
    explicit Win32SerialPort(PortDeviceResolver resolve) : resolve_(std::move(resolve)) {}
    ~Win32SerialPort() override { close(); }

    bool open(const std::string& portName) override {
        close();
        failure_ = {};
        const std::string device = resolve_ ? resolve_(portName) : portName;
        if (device.empty()) {
            failure_ = {OpenFailureKind::NoDevice, portName, {}, {}, {}};
            return false;
        }
        // Share mode 0: nobody else may open the port while we hold it.
        handle_ = CreateFileA(DevicePath(device).c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
        if (handle_ == INVALID_HANDLE_VALUE) {
            failure_ = ClassifyOpenFailure(portName, device, GetLastError());
            return false;
        }
        return true;
    }

    void configure(const TimingProfile& profile) override {
        if (!isOpen()) return;
        SetupComm(handle_, 1024, 512);

        // The driver's interval timeout is the gap limit and its total
        // timeout is constant + n x per-byte: together they are the read rule.
        COMMTIMEOUTS timeouts{};
        timeouts.ReadIntervalTimeout = static_cast<DWORD>(profile.gapMs);
        timeouts.ReadTotalTimeoutMultiplier = static_cast<DWORD>(profile.readPerByteMs);
        timeouts.ReadTotalTimeoutConstant = static_cast<DWORD>(profile.readConstantMs);
        timeouts.WriteTotalTimeoutMultiplier = static_cast<DWORD>(profile.writePerByteMs);
        timeouts.WriteTotalTimeoutConstant = static_cast<DWORD>(profile.writeConstantMs);
        SetCommTimeouts(handle_, &timeouts);

        // Flow control, special characters and error replacement stay as the
        // driver reports them.
        DCB dcb{};
        dcb.DCBlength = sizeof dcb;
        GetCommState(handle_, &dcb);
        dcb.BaudRate = CBR_9600;
        dcb.ByteSize = 8;
        dcb.Parity = NOPARITY;
        dcb.StopBits = ONESTOPBIT;
        dcb.fBinary = TRUE;
        dcb.fParity = FALSE;
        SetCommState(handle_, &dcb);
    }

    void purgeAll() override {
        if (isOpen()) PurgeComm(handle_, PURGE_TXABORT | PURGE_RXABORT | PURGE_TXCLEAR | PURGE_RXCLEAR);
    }

    void purgeBuffers() override {
        if (isOpen()) PurgeComm(handle_, PURGE_TXCLEAR | PURGE_RXCLEAR);
    }

    IoResult write(const std::uint8_t* data, std::size_t count) override {
        if (!isOpen()) return {false, 0};
        DWORD written = 0;
        const BOOL done = WriteFile(handle_, data, static_cast<DWORD>(count), &written, nullptr);
        // A write that ran out of time reports success with fewer bytes; the
        // bytes that did not go out are a failure to send all the same.
        return {done != FALSE && written == count, written};
    }

    IoResult read(std::uint8_t* buffer, std::size_t count) override {
        if (!isOpen()) return {false, 0};
        DWORD received = 0;
        const BOOL done = ReadFile(handle_, buffer, static_cast<DWORD>(count), &received, nullptr);
        return {done != FALSE, received};
    }

    void close() override {
        if (!isOpen()) return;
        CloseHandle(handle_);
        handle_ = INVALID_HANDLE_VALUE;
    }

    bool isOpen() const override { return handle_ != INVALID_HANDLE_VALUE; }

    OpenFailure openFailure() const override { return failure_; }

private:
    PortDeviceResolver resolve_;
    HANDLE handle_ = INVALID_HANDLE_VALUE;
    OpenFailure failure_;
};

}  // namespace

std::unique_ptr<SerialPort> CreateSystemSerialPort(PortDeviceResolver resolveDevice) {
    return std::make_unique<Win32SerialPort>(std::move(resolveDevice));
}

}  // namespace vel
