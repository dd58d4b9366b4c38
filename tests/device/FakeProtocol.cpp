// A stand-in protocol library of the same name whose recorder is always there.
extern "C" __attribute__((visibility("default"))) bool Check_Device_state() { return true; }
