// Stand-in for the outside skip-log library: accepts a start position with a part number >= 0.
extern "C" {

int LastPrtNo = -1;
int LastSeq = -1;

int SetProcStartPos(int prtNo, int seq) {
    LastPrtNo = prtNo;
    LastSeq = seq;
    return prtNo >= 0 ? 0 : 1;
}
}
