// Stand-in for the machine maker's work-time library, built only for the tests in three
// flavours: a time (1234), a refusal (result 5) and a library without the function.
extern "C" {

#if defined(VEV2OVO_STUB_OK)
__attribute__((visibility("default"))) int flGetWorkTime(int* time) {
    *time = 1234;
    return 0;
}
#elif defined(VEV2OVO_STUB_FAIL)
__attribute__((visibility("default"))) int flGetWorkTime(int* time) {
    *time = 99;
    return 5;
}
#else
__attribute__((visibility("default"))) int flOtherFunction(void) {
    return 0;
}
#endif
}
