// The probe's reply formats: the two-byte temperature reading and the reply buffer limits.
#pragma once

#include "platform/win_types.h"

// One-byte commands of the probe.
#define CMD_IDENTIFY 0x27
#define CMD_READ_BINARY 0x42
#define CMD_READ_ASCII 0x46

// Every reply is read into a buffer of this size; the link's read adds a zero byte after
// the last byte it takes, so at most PROBE_REPLY_MAX bytes of a reply are kept.
#define PROBE_REPLY_BUFFER 32
#define PROBE_REPLY_MAX (PROBE_REPLY_BUFFER - 1)

// Degrees Celsius of a binary reading; bLow is the first byte received, bHigh the second.
// Bit 15 is the sign; bits 0-10 hold the magnitude in sixteenths of a degree, stored as
// 2048 - magnitude (modulo 2048) below zero; bits 11-14 are ignored. Single precision.
float CelsiusFromReading(BYTE bLow, BYTE bHigh);

// Degrees Fahrenheit of a Celsius value, formed with the single-precision factor 1.8f, which
// lies just below 1.8, so that exact halves of a tenth round toward 32.
double FahrenheitFromCelsius(float fCelsius);

// The two steps together.
double FahrenheitFromReading(BYTE bLow, BYTE bHigh);

// How many of nWaiting bytes fit a reply buffer: never more than PROBE_REPLY_MAX.
DWORD ReplyBytesToKeep(int nWaiting);
