// The CD-audio device through the Media Control Interface. The game never
// plays music on it: it holds the device while it runs, stops it while it
// is in the background and closes it at the end. No command waits or asks
// for a notification.
#include "platform/win32/internal.h"

#include <mmsystem.h>

namespace {

MCIDEVICEID cd_device = 0;    // 0 while no device is open

// Parameter blocks are passed as pointer-sized numbers.
MCIERROR send(MCIDEVICEID device, UINT message, DWORD_PTR flags, void* parameters)
{
    return mciSendCommandA(device, message, flags, (DWORD_PTR)parameters);
}

}  // namespace

int win32_cd_open()
{
    cd_device = 0;
    MCI_OPEN_PARMSA open = {};
    open.lpstrDeviceType = (LPCSTR)(DWORD_PTR)MCI_DEVTYPE_CD_AUDIO;
    if (send(0, MCI_OPEN, MCI_OPEN_TYPE | MCI_OPEN_TYPE_ID, &open) != 0)
        return 0;
    MCI_SET_PARMS set = {};
    set.dwTimeFormat = MCI_FORMAT_MSF;
    if (send(open.wDeviceID, MCI_SET, MCI_SET_TIME_FORMAT, &set) != 0) {
        MCI_GENERIC_PARMS close = {};
        send(open.wDeviceID, MCI_CLOSE, 0, &close);
        return 0;
    }
    cd_device = open.wDeviceID;
    return 1;
}

void win32_cd_stop()
{
    if (cd_device == 0)
        return;
    MCI_GENERIC_PARMS stop = {};
    send(cd_device, MCI_STOP, 0, &stop);
}

void win32_cd_close()
{
    if (cd_device == 0)
        return;
    win32_cd_stop();
    MCI_GENERIC_PARMS close = {};
    send(cd_device, MCI_CLOSE, 0, &close);
    cd_device = 0;
}
