#include "codegen/fragments.h"

#include <array>

#include "model/register_tables.h"

namespace regsmith {

namespace {

constexpr std::array<FragmentText, 7> kFragments{{
    // CrystalWait
    {"    for (i = 0; i < 3000; i++);  // Wait 1ms for initialization\r\n"
     "    while ((OSCXCN & 0x80) == 0);\r\n",
     "    mov  R0,        #030        ; Wait 1ms for initialization\r\n"
     "Osc_Wait1:\r\n"
     "    clr  A\r\n"
     "    djnz ACC,       $\r\n"
     "    djnz R0,        Osc_Wait1\r\n"
     "Osc_Wait2:\r\n"
     "    mov  A,         OSCXCN\r\n"
     "    jnb  ACC.7,     Osc_Wait2\r\n",
     false},
    // ComparatorWait
    {"    for (i = 0; i < 35; i++);  // Wait 10us for initialization\r\n"
     "    CPT0CN    &= ~0x30;\r\n",
     "    clr  A                     ; Wait 10us for initialization\r\n"
     "    djnz ACC, $\r\n"
     "    anl  CPT0CN,    #0CFh\r\n",
     false},
    // VddMonitorWait: a new document's VDM0CN already holds it.
    {kVddMonitorWaitC, kVddMonitorWaitAsm, false},
    // WatchdogStop, WatchdogStart: a new document's PCA0MD and PCA0CPL2 hold them.
    {kPcaRegisters[reg::PCA0MD].cBefore, kPcaRegisters[reg::PCA0MD].asmBefore, true},
    {kPcaRegisters[reg::PCA0CPL2].cAfter, "    orl  PCA0MD,    #040h;\r\n", false},
    // WatchdogLock
    {"    PCA0MD    |= 0x20;\r\n", "    orl  PCA0MD,    #020h;\r\n", false},
    // UartSkip
    {"    P0SKIP    |= 0x30;\r\n", "    orl  P0SKIP,    #030h\r\n", true},
}};

}  // namespace

const FragmentText& TextOf(Fragment fragment) { return kFragments[static_cast<std::size_t>(fragment)]; }

void SetFragment(RegisterEntry& entry, Fragment fragment, bool on) {
    const FragmentText& text = TextOf(fragment);
    std::string& c = text.before ? entry.cBefore : entry.cAfter;
    std::string& assembly = text.before ? entry.asmBefore : entry.asmAfter;
    c = on ? text.c : std::string_view{};
    assembly = on ? text.assembly : std::string_view{};
}

void SetWait(PeripheralBlock& block, int entry, Fragment wait, bool on) {
    block.cPrologue = on ? kLoopCounterDeclarationC : std::string_view{};
    if (RegisterEntry* registerEntry = EntryOf(block, entry)) SetFragment(*registerEntry, wait, on);
}

}  // namespace regsmith
