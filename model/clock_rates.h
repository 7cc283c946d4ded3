#pragma once
// Every clock the sheets show, one function each, shared by the pages'
// displays, their calculators and the chip overview: SYSCLK from the
// oscillators, the timers' clocks and overflow rates, the UART baud rate,
// the SPI0 SCK, the ADC0 SAR clock, the PCA time base and the watchdog
// timeout.  Plain numbers in, plain numbers out.

#include <cstdint>
#include <optional>

#include "model/device_data.h"

namespace regsmith {

struct ClockSettings;

namespace clocks {

// OSCXCN bits 6-4, the external oscillator mode.
inline constexpr std::uint8_t kExternalModeMask = 0x70;
inline constexpr std::uint8_t kModeOff = 0x00;
inline constexpr std::uint8_t kModeUnused = 0x10;  // never written by the page
inline constexpr std::uint8_t kModeCmos = 0x20;
inline constexpr std::uint8_t kModeCmosHalf = 0x30;
inline constexpr std::uint8_t kModeRc = 0x40;
inline constexpr std::uint8_t kModeCapacitor = 0x50;
inline constexpr std::uint8_t kModeCrystal = 0x60;
inline constexpr std::uint8_t kModeCrystalHalf = 0x70;
// OSCXCN bits 2-0, the external frequency control.
inline constexpr std::uint8_t kFrequencyControlMask = 0x07;
// OSCICN bits 7-6 (enable and power mode) and 2-0 (divider n: / 2^(7-n)).
inline constexpr std::uint8_t kInternalEnableMask = 0xC0;
inline constexpr std::uint8_t kInternalDividerMask = 0x07;
// CLKSEL bit 0 (1: the external oscillator is SYSCLK) and bits 5-4 (/SYSCLK output divider).
inline constexpr std::uint8_t kExternalSourceBit = 0x01;
inline constexpr std::uint8_t kOutputDividerMask = 0x30;

// The internal oscillator's frequency divided by 2^(7 - n), n = OSCICN bits
// 2-0, as a double product with the exact factor, truncated (24500000 / 128
// gives 191406).
std::uint32_t InternalSysclk(std::uint32_t internalOscFrequency, std::uint8_t oscicn);

// Whether the external mode halves its frequency: CMOS / 2, RC, capacitor
// and crystal / 2.
bool ExternalModeHalves(std::uint8_t oscxcn);
// The external frequency, halved (0.5 times, truncated) in the modes that halve.
std::uint32_t ExternalSysclk(std::uint32_t externalOscFrequency, std::uint8_t oscxcn);

// SYSCLK from the source CLKSEL bit 0 selects.  Neither the /SYSCLK output
// divider nor the internal oscillator's power mode changes it.
std::uint32_t Sysclk(std::uint8_t oscxcn, std::uint8_t oscicn, std::uint8_t clksel, std::uint32_t internalOscFrequency,
                     std::uint32_t externalOscFrequency);

}  // namespace clocks

// The clock of timers 0 and 1 from the shared prescaler, CKCON bits 1-0:
// SYSCLK / 12, SYSCLK / 4, SYSCLK / 48, or "external oscillator / 8", which
// is computed from SYSCLK as well.  /12 and /48 are integer divisions; /4 and
// /8 are products with 0.25 and 0.125, truncated.
std::uint32_t PrescaledTimerClock(std::uint8_t ckcon, std::uint32_t sysclk);

// The UART0 baud rate from timer 1: its clock (SYSCLK when CKCON bit 3 is
// set, else the prescaled clock) divided by (256 - TH1) in integers, then
// halved and truncated.
std::uint32_t UartBaudFromTimer1(std::uint8_t ckcon, std::uint8_t th1, std::uint32_t sysclk);

// Timer 0 as an 8-bit auto-reload timer reloading from TH0: its clock (SYSCLK
// when CKCON bit 2 is set, else the prescaled clock) divided by (256 - TH0),
// truncated.  0 when the clock is 0.
std::uint32_t Timer0OverflowRate(std::uint8_t ckcon, std::uint8_t th0, std::uint32_t sysclk);

// Timer 1's overflows per second as an 8-bit auto-reload timer reloading
// from TH1: its clock / (256 - TH1), in integers.  The UART baud rate is half.
std::uint32_t Timer1OverflowRate(std::uint8_t ckcon, std::uint8_t th1, std::uint32_t sysclk);

// The input clock of timer 0 (CKCON bit 2) or timer 1 (bit 3): SYSCLK when
// the bit is set, else the prescaled clock.
std::uint32_t Timer0Clock(std::uint8_t ckcon, std::uint32_t sysclk);
std::uint32_t Timer1Clock(std::uint8_t ckcon, std::uint32_t sysclk);
// The input clock of timer 2's low byte (CKCON bit 4) or high byte (bit 5):
// SYSCLK when the bit is set, else the external oscillator / 8 when TMR2CN
// bit 0 is set, else SYSCLK / 12.
std::uint32_t Timer2Clock(std::uint8_t ckcon, std::uint8_t tmr2cn, bool highByte, std::uint32_t sysclk,
                          std::uint32_t externalOscFrequency);
// Timer 2 overflows per second: as a 16-bit auto-reload timer, its clock /
// (65536 - TMR2RLH:TMR2RLL); split, the low byte's clock / (256 - TMR2RLL).
// Truncated; 0 when the clock is 0.
std::uint32_t Timer2OverflowRate(std::uint32_t clock, std::uint8_t reloadHigh, std::uint8_t reloadLow, bool split);

// SYSCLK / (AD0SC + 1), integer division, in Hz: the ADC0 SAR clock.
std::uint32_t SarClock(std::uint32_t sysclk, unsigned ad0sc);

namespace spi {

// SYSCLK / (2 * SPI0CKR + 2), in integers.
std::uint32_t SckRate(std::uint32_t sysclk, std::uint8_t spi0ckr);

}  // namespace spi

namespace pca {

// PCA0MD bits 3-1: the PCA counter's time base.
inline constexpr std::uint8_t kTimeBaseMask = 0x0E;
enum TimeBase : std::uint8_t {
    kSysclkDiv12 = 0x00,
    kSysclkDiv4 = 0x02,
    kTimer0Overflow = 0x04,
    kEciFalling = 0x06,
    kSysclk = 0x08,
    kExternalDiv8 = 0x0A,
};

// The clocks a time base may run on, in Hz.
struct PcaClocks {
    std::uint32_t sysclk = 0;
    std::uint32_t externalOsc = 0;
    std::uint32_t eci = 0;         // the frequency on the ECI pin (the document's pcaClockWord)
    std::uint32_t timer0Rate = 0;  // timer 0 overflows per second
};

// The PCA clocks of a document's clock words and timers block (timer 0's
// overflow rate from CKCON and TH0).
PcaClocks PcaClocksOf(const ClockSettings& clocks, const PeripheralBlock& timers);

// The PCA counter's clock for PCA0MD: SYSCLK / 12 and / 4 are integer
// divisions (a shift for / 4), the external oscillator / 8 a shift.  The two
// codes no radio sets (0x0C, 0x0E) count as SYSCLK.
std::uint32_t PcaClockFrequency(std::uint8_t pca0md, const PcaClocks& clocks);

// The watchdog timeout in ms, PCA0L counted: one PCA clock period times
// ((PCA0CPL2 + 1) * 256 - PCA0L).  A time base whose clock is 0 gives 0; the
// two codes no radio sets give no value.
std::optional<double> WatchdogTimeoutMs(std::uint8_t pca0md, std::uint8_t pca0cpl2, std::uint8_t pca0l,
                                        const PcaClocks& clocks);

enum class WatchdogState { Disabled, Enabled, Locked };

// Enabled when the text after PCA0CPL2 is not empty; locked when it sets
// bit 0x20 (the digit at position 19 is "2").  A block without PCA0CPL2 reads
// as disabled.
WatchdogState ReadWatchdog(const PeripheralBlock& pca);

}  // namespace pca

}  // namespace regsmith
