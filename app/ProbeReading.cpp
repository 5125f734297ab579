// The probe's two-byte temperature reading, converted in single precision.
#include "ProbeReading.h"

float CelsiusFromReading(BYTE bLow, BYTE bHigh) {
    const unsigned nRaw = static_cast<unsigned>(bHigh) * 256u + bLow;
    const bool bNegative = (nRaw & 0x8000u) != 0;
    const unsigned nMagnitude = bNegative ? (0x800u - (nRaw & 0x7FFu)) & 0x7FFu : nRaw & 0x7FFu;

    // The product is formed in double and stored in single precision, then negated in
    // single precision; both steps are exact for sixteenths up to 2047.
    float fCelsius = static_cast<float>(nMagnitude * 0.0625);
    if (bNegative)
        fCelsius = fCelsius * -1.0f;
    return fCelsius;
}

double FahrenheitFromCelsius(float fCelsius) {
    // 1.8f is just below 1.8, which sends exact halves of a tenth toward 32.
    return static_cast<double>(fCelsius) * static_cast<double>(1.8f) + static_cast<double>(32.0f);
}

double FahrenheitFromReading(BYTE bLow, BYTE bHigh) {
    return FahrenheitFromCelsius(CelsiusFromReading(bLow, bHigh));
}

DWORD ReplyBytesToKeep(int nWaiting) {
    if (nWaiting <= 0)
        return 0;
    return nWaiting > PROBE_REPLY_MAX ? PROBE_REPLY_MAX : static_cast<DWORD>(nWaiting);
}
