// Placeholder for the graphics runtime: it ships and is checksummed under its final name
// before its drawing functions exist.

extern "C" __attribute__((visibility("default"))) int pivlofx_version() { return 0; }
