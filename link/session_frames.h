#pragma once
// The fixed frames every exchange with a radio starts with, and the counts
// and pauses both the programming session and the test-mode exchange use.

#include <array>
#include <cstdint>

namespace vel {

/// 0x02 then "PROGRA". The radio reads it one byte at a time, so every byte
/// goes out on its own with a pause before (or after) it.
inline constexpr std::array<std::uint8_t, 7> kWakeUpFrame{0x02, 0x50, 0x52, 0x4F, 0x47, 0x52, 0x41};
/// 'M' 0x02: asks the radio for its 8-byte identification.
inline constexpr std::array<std::uint8_t, 2> kIdentificationRequest{0x4D, 0x02};
inline constexpr std::uint8_t kAcknowledge = 0x06;
inline constexpr std::uint8_t kReadCommand = 0x52;   // 'R' AH AL 8
inline constexpr std::uint8_t kWriteCommand = 0x57;  // 'W' AH AL 8, then 8 data bytes
inline constexpr std::uint8_t kBlockSize = 8;
inline constexpr int kIdentificationLength = 8;
inline constexpr int kRadioTypeByteIndex = 4;        // in the identification reply
inline constexpr std::uint8_t kAnyRadioType = 0xFF;
inline constexpr int kReadReplyLength = 12;          // 4 leading bytes, then the 8 data bytes
inline constexpr int kReadReplyMinimum = 10;
inline constexpr int kReplyBufferSize = 20;

/// True when the first 4 bytes of a read reply are 0x57, the address bytes
/// of the read request `request` ('R' AH AL 8) and the count 8.
inline bool ReadReplyHeaderMatches(const std::uint8_t* reply, const std::uint8_t* request) {
    return reply[0] == kWriteCommand && reply[1] == request[1] && reply[2] == request[2] && reply[3] == kBlockSize;
}

inline constexpr int kWakeUpAttempts = 15;
inline constexpr int kPauseBetweenAttemptsMs = 2;
inline constexpr int kPumpRoundsBeforeWakeUp = 7;
inline constexpr int kPumpRoundsAfterTypeAccepted = 351;
inline constexpr int kPumpRoundsAfterWrongAcknowledge = 601;
/// The acknowledgement after the identification goes out at most this often
/// when the port refuses it; then the session fails.
inline constexpr int kAcknowledgeSends = 3;
inline constexpr int kPauseBeforeReadAcknowledgeMs = 15;
inline constexpr int kPauseAfterWriteBlockMs = 1;

// Test mode.
inline constexpr std::uint8_t kTestModeEntry = 0x78;   // 'x'
inline constexpr std::uint8_t kTestModeItemSuffix = 0x08;
inline constexpr std::uint8_t kTestModeAnswer = 0x48;  // 'H'
inline constexpr int kTestModeAttemptPauseMs = 700;

}  // namespace vel
