#pragma once
// The wave mixer's failure messages: what a failed Status of the mixer says (the texts its
// callers may show or log).

namespace qv::sound {

namespace msg {
inline constexpr const char* kInvalidSession = "Invalid Session handle";
inline constexpr const char* kSessionExists = "Session already initialized";
inline constexpr const char* kInitFailed = "Initialization failed (MixerInit)";
inline constexpr const char* kResourceBusy = "Resource is already allocated to a process";
inline constexpr const char* kNoDevices = "No wave output devices available";
inline constexpr const char* kSynchronous =
    " is a syncronous (blocking) wave output device.  This will not permit audio to play "
    "while other applications are running";
inline constexpr const char* kNotCompatible = " is not compatible with the realtime mixer";
inline constexpr const char* kUnknownDevice = "Unknown Device";
inline constexpr const char* kNoCallbackWindow = "Failed to create callback window";
inline constexpr const char* kOpenFailed = "Failed to open waveform output device #";
inline constexpr const char* kPrepareFailed = "Unable to prepare wave header #";
inline constexpr const char* kNoMemory =
    "Unable to allocate memory for waveform data.  Try making more memory available by closing "
    "other applications.";
inline constexpr const char* kWriteFailed = "Failed to write block to device";
inline constexpr const char* kNotWave = "This is not a WAVE file";
inline constexpr const char* kCorrupted = "WAVE file is corrupted";
inline constexpr const char* kFormatChunk = "Failed to read format chunk";
inline constexpr const char* kNotPcm = "The file is not a PCM file";
inline constexpr const char* kNoDataChunk = "WAVE file has no data chunk";
inline constexpr const char* kEmptyData = "The data chunk has no data";
inline constexpr const char* kDataChunk = "Failed to read data chunk";
inline constexpr const char* kUnsupported = "File format not supported";
inline constexpr const char* kConvert = "Failed to convert wave format";
inline constexpr const char* kOpenWave = "Failed to open wave file ";
inline constexpr const char* kNilParams = "nil parameters pointer passed to MixerPlay";
inline constexpr const char* kNilWave = "nil wave pointer passed to MixerPlay!";
inline constexpr const char* kNotActive =
    "Wave device not allocated, call MixerActivate(hMixSession,TRUE)";
inline constexpr const char* kNoChannelOpen = "You must open a channel before you can play a wave";
inline constexpr const char* kChannelNotOpen = "The specified channel was not open";
inline constexpr const char* kBadChannel = "Invalid channel number";
inline constexpr const char* kChannelOpen = "The channel has already been opened";
inline constexpr const char* kBadFlags = "Invalid Flags";
inline constexpr const char* kBadFlag = "Invalid flag";
inline constexpr const char* kBadChannelCount = "Invalid number of channels";
inline constexpr const char* kBadPointer = "The given pointer was not valid";
inline constexpr const char* kNotEnoughMemory = "Not enough memory";
inline constexpr const char* kModuleName = "GetModuleFileName error #";
}  // namespace msg

}  // namespace qv::sound
