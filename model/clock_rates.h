#pragma once
// Clock rates derived from the timers block that several sheets show: the
// UART baud rate that timer 1 gives (Timer 1 and UART0 pages) and the timer 0
// overflow rate (PCA time base, watchdog timeout).  Plain numbers in, plain
// numbers out.

#include <cstdint>

namespace regsmith {

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

}  // namespace regsmith
