// Stand-in for the outside skip-log library, from the calls the program relies on: flDllInit
// (0 ready), GetSkipLog (fills a 56-byte record, 0 filled) and SetProcStartPos (two ints, 0
// accepted; here a part number >= 0). Tests choose the answers and the record through the
// variables below (looked up by name).
#include <cstring>

extern "C" {

int InitResult = 0;  // what flDllInit returns
int InitCalls = 0;
int SkipLogResult = 0;  // what GetSkipLog returns
unsigned char SkipLogBytes[56] = {};
int LastPrtNo = -1;
int LastSeq = -1;

int flDllInit() {
    ++InitCalls;
    return InitResult;
}

int GetSkipLog(void* record) {
    if (SkipLogResult == 0) std::memcpy(record, SkipLogBytes, sizeof SkipLogBytes);
    return SkipLogResult;
}

int SetProcStartPos(int prtNo, int seq) {
    LastPrtNo = prtNo;
    LastSeq = seq;
    return prtNo >= 0 ? 0 : 1;
}
}
