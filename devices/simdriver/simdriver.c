/* Simulated mouse driver for Wine: a kernel-mode driver that serves the NT device
   "\\.\TZRMOUSE" (device "\Device\PointerClass0") and the USB device "\\.\USBTrelvix" as the
   tray program expects them, and a control device through which tests inject events and read
   back what the program sent. Test and demo equipment only.

   Wine dispatches every request on one thread, so dispatch never blocks and the state needs no
   lock; the caller's event is duplicated into this process while its request is dispatched. */
#include <ntifs.h>

#include "sim_control.h"

typedef struct SimChannel {
    SimChannelState state;
    SimEventRecord queue[SIM_QUEUE_LENGTH];
    uint32_t head;
    HANDLE event;             /* the armed event, duplicated into this process */
    PFILE_OBJECT armedFile;   /* the file whose reader armed it */
    PDEVICE_OBJECT device;
    uint32_t linked;          /* its DOS name exists */
} SimChannel;

static SimChannel Channels[SIM_CHANNEL_COUNT];
static PDEVICE_OBJECT ControlDevice;

static const WCHAR *const DeviceNames[SIM_CHANNEL_COUNT] = {L"\\Device\\MovraSimUsb", L"\\Device\\PointerClass0"};
static const WCHAR *const LinkNames[SIM_CHANNEL_COUNT] = {L"\\DosDevices\\USBTrelvix", L"\\DosDevices\\TZRMOUSE"};

static SimChannel *ChannelOf(PDEVICE_OBJECT device)
{
    for (uint32_t i = 0; i < SIM_CHANNEL_COUNT; ++i)
        if (Channels[i].device == device)
            return &Channels[i];
    return NULL;
}

static NTSTATUS Complete(PIRP irp, NTSTATUS status, ULONG_PTR information)
{
    irp->IoStatus.Status = status;
    irp->IoStatus.Information = information;
    IoCompleteRequest(irp, IO_NO_INCREMENT);
    return status;
}

static void ReleaseEvent(SimChannel *c)
{
    if (c->event) {
        ZwClose(c->event);
        c->event = NULL;
    }
    c->armedFile = NULL;
    c->state.armed = 0;
}

/* Wakes the armed reader; it stays armed (the program re-arms after each read anyway). */
static void Signal(SimChannel *c)
{
    if (c->event)
        ZwSetEvent(c->event, NULL);
}

static void SignalIfReady(SimChannel *c)
{
    if (c->state.armed && c->state.started && c->state.queued)
        Signal(c);
}

/* A channel is present while its DOS name exists: Wine completes an open even when the
   driver fails IRP_MJ_CREATE, so an absent device is one whose name does not resolve. */
static NTSTATUS SetLink(uint32_t channel, uint32_t defined)
{
    UNICODE_STRING link, target;
    NTSTATUS status = STATUS_SUCCESS;
    SimChannel *c = &Channels[channel];
    RtlInitUnicodeString(&link, LinkNames[channel]);
    RtlInitUnicodeString(&target, DeviceNames[channel]);
    if (defined && !c->linked)
        status = IoCreateSymbolicLink(&link, &target);
    else if (!defined && c->linked)
        status = IoDeleteSymbolicLink(&link);
    if (NT_SUCCESS(status))
        c->linked = defined;
    c->state.present = c->linked;
    return status;
}

static void ResetChannel(uint32_t channel)
{
    SimChannel *c = &Channels[channel];
    PDEVICE_OBJECT device = c->device;
    uint32_t linked = c->linked;
    ReleaseEvent(c);
    RtlZeroMemory(c, sizeof(*c));
    c->device = device;
    c->linked = linked;
    SetLink(channel, 1);
}

/* The caller's event handle is one of its own process: duplicate it into ours. */
static NTSTATUS TakeCallerEvent(SimChannel *c, PFILE_OBJECT file, uint32_t handle32)
{
    OBJECT_ATTRIBUTES attributes;
    CLIENT_ID client;
    HANDLE process, local;
    NTSTATUS status;
    InitializeObjectAttributes(&attributes, NULL, OBJ_KERNEL_HANDLE, NULL, NULL);
    client.UniqueProcess = PsGetCurrentProcessId();
    client.UniqueThread = NULL;
    status = ZwOpenProcess(&process, PROCESS_DUP_HANDLE, &attributes, &client);
    if (!NT_SUCCESS(status))
        return status;
    /* The record carries 32 bits; handles are sign-extended values. */
    status = ZwDuplicateObject(process, (HANDLE)(LONG_PTR)(int32_t)handle32, NtCurrentProcess(), &local,
                               EVENT_MODIFY_STATE | SYNCHRONIZE, 0, 0);
    ZwClose(process);
    if (!NT_SUCCESS(status))
        return status;
    ReleaseEvent(c);
    c->event = local;
    c->armedFile = file;
    c->state.armed = 1;
    ZwResetEvent(local, NULL);
    return STATUS_SUCCESS;
}

static void Log(SimChannel *c, uint8_t request)
{
    if (c->state.requestCount < SIM_REQUEST_LOG)
        c->state.requests[c->state.requestCount] = request;
    c->state.requestCount++;
}

static int FailOnce(SimChannel *c, uint32_t kind)
{
    if (!(c->state.failNext & kind))
        return 0;
    c->state.failNext &= ~kind;
    c->state.failed++;
    return 1;
}

static NTSTATUS ChannelIoctl(SimChannel *c, PIRP irp, PIO_STACK_LOCATION sp)
{
    ULONG code = sp->Parameters.DeviceIoControl.IoControlCode;
    ULONG inSize = sp->Parameters.DeviceIoControl.InputBufferLength;
    ULONG outSize = sp->Parameters.DeviceIoControl.OutputBufferLength;
    void *buffer = irp->AssociatedIrp.SystemBuffer;
    SimChannelState *s = &c->state;
    uint32_t nt = c == &Channels[SIM_CHANNEL_NT];

    if (s->removed) {
        s->failed++;
        return Complete(irp, STATUS_DEVICE_REMOVED, 0);
    }
    switch (code) {
    case SIM_CTL_INIT:
        Log(c, SIM_REQ_INIT);
        if (!nt || inSize != sizeof(SimSettingsRecord) || outSize < 4)
            break;
        if (FailOnce(c, SIM_FAIL_INIT))
            return Complete(irp, STATUS_UNSUCCESSFUL, 0);
        s->inits++;
        s->initSize = inSize;
        RtlCopyMemory(&s->initRecord, buffer, sizeof(s->initRecord));
        RtlZeroMemory(buffer, 4);
        return Complete(irp, STATUS_SUCCESS, 4);
    case SIM_CTL_SETTINGS:
        Log(c, SIM_REQ_SETTINGS);
        if (inSize != sizeof(SimSettingsRecord))
            break;
        RtlCopyMemory(&s->settings[s->settingsCount % SIM_SETTINGS_LOG], buffer, sizeof(SimSettingsRecord));
        s->settingsCount++;
        return Complete(irp, STATUS_SUCCESS, 0);
    case SIM_CTL_ARM: {
        Log(c, SIM_REQ_ARM);
        SimArmRecord arm;
        NTSTATUS status;
        if (inSize != sizeof(SimArmRecord))
            break;
        if (FailOnce(c, SIM_FAIL_ARM))
            return Complete(irp, STATUS_UNSUCCESSFUL, 0);
        RtlCopyMemory(&arm, buffer, sizeof(arm));
        status = TakeCallerEvent(c, sp->FileObject, arm.eventHandle);
        if (!NT_SUCCESS(status)) {
            s->refused++;
            return Complete(irp, status, 0);
        }
        s->arms++;
        s->lastArm = arm;
        SignalIfReady(c);
        return Complete(irp, STATUS_SUCCESS, 0);
    }
    case SIM_CTL_READ_EVENT:
        Log(c, SIM_REQ_READ);
        if (inSize != 2 || outSize != sizeof(SimEventRecord))
            break;
        if (FailOnce(c, SIM_FAIL_READ))
            return Complete(irp, STATUS_UNSUCCESSFUL, 0);
        s->reads++;
        if (c->event)
            ZwResetEvent(c->event, NULL);
        if (!s->queued || !s->started) {
            /* Nothing to give: an empty record (no button bits) posts nothing. */
            s->emptyReads++;
            RtlZeroMemory(buffer, 8);
            return Complete(irp, STATUS_SUCCESS, sizeof(SimEventRecord));
        }
        RtlCopyMemory(buffer, &c->queue[c->head], sizeof(SimEventRecord));
        c->head = (c->head + 1) % SIM_QUEUE_LENGTH;
        s->queued--;
        return Complete(irp, STATUS_SUCCESS, sizeof(SimEventRecord));
    case SIM_CTL_START:
        Log(c, SIM_REQ_START);
        if (FailOnce(c, SIM_FAIL_START))
            return Complete(irp, STATUS_UNSUCCESSFUL, 0);
        s->starts++;
        s->started = 1;
        SignalIfReady(c);
        return Complete(irp, STATUS_SUCCESS, 0);
    case SIM_CTL_STOP:
        Log(c, SIM_REQ_STOP);
        s->stops++;
        s->started = 0;
        Signal(c);   /* lets a waiting reader see that it is to end */
        return Complete(irp, STATUS_SUCCESS, 0);
    }
    s->refused++;
    return Complete(irp, STATUS_INVALID_PARAMETER, 0);
}

static SimChannel *RequestedChannel(PIRP irp, ULONG inSize)
{
    SimChannelRequestRecord *r = irp->AssociatedIrp.SystemBuffer;
    if (inSize < sizeof(*r) || r->channel >= SIM_CHANNEL_COUNT)
        return NULL;
    return &Channels[r->channel];
}

static NTSTATUS ControlIoctl(PIRP irp, PIO_STACK_LOCATION sp)
{
    ULONG code = sp->Parameters.DeviceIoControl.IoControlCode;
    ULONG inSize = sp->Parameters.DeviceIoControl.InputBufferLength;
    ULONG outSize = sp->Parameters.DeviceIoControl.OutputBufferLength;
    void *buffer = irp->AssociatedIrp.SystemBuffer;
    SimChannelRequestRecord *request = buffer;
    SimChannel *c;

    switch (code) {
    case SIM_RESET:
        for (uint32_t i = 0; i < SIM_CHANNEL_COUNT; ++i)
            ResetChannel(i);
        return Complete(irp, STATUS_SUCCESS, 0);
    case SIM_INJECT: {
        SimInjectRecord *inject = buffer;
        if (inSize != sizeof(*inject) || inject->channel >= SIM_CHANNEL_COUNT)
            break;
        c = &Channels[inject->channel];
        c->state.injected++;
        if (c->state.queued == SIM_QUEUE_LENGTH) {
            c->state.dropped++;
            return Complete(irp, STATUS_SUCCESS, 0);
        }
        c->queue[(c->head + c->state.queued) % SIM_QUEUE_LENGTH] = inject->event;
        c->state.queued++;
        SignalIfReady(c);
        return Complete(irp, STATUS_SUCCESS, 0);
    }
    case SIM_GET_STATE: {
        SimStateRecord *out = buffer;
        if (outSize != sizeof(*out))
            break;
        out->size = sizeof(*out);
        out->dosName = Channels[SIM_CHANNEL_NT].linked;
        for (uint32_t i = 0; i < SIM_CHANNEL_COUNT; ++i)
            out->channel[i] = Channels[i].state;
        return Complete(irp, STATUS_SUCCESS, sizeof(*out));
    }
    case SIM_FAIL_NEXT:
        if (!(c = RequestedChannel(irp, inSize)))
            break;
        c->state.failNext |= request->argument;
        return Complete(irp, STATUS_SUCCESS, 0);
    case SIM_SET_PRESENT:
        if (!(c = RequestedChannel(irp, inSize)))
            break;
        if (request->argument)
            c->state.removed = 0;
        return Complete(irp, SetLink(request->channel, request->argument != 0), 0);
    case SIM_REMOVE:
        if (!(c = RequestedChannel(irp, inSize)))
            break;
        c->state.removed = 1;
        c->state.started = 0;
        Signal(c);
        return Complete(irp, SetLink(request->channel, 0), 0);
    case SIM_SET_DOS_NAME:
        if (inSize < sizeof(*request))
            break;
        return Complete(irp, SetLink(SIM_CHANNEL_NT, request->argument != 0), 0);
    }
    return Complete(irp, STATUS_INVALID_PARAMETER, 0);
}

static NTSTATUS WINAPI DispatchCreate(PDEVICE_OBJECT device, PIRP irp)
{
    SimChannel *c = ChannelOf(device);
    PIO_STACK_LOCATION sp = IoGetCurrentIrpStackLocation(irp);
    (void)sp;
    if (!c)
        return Complete(irp, STATUS_SUCCESS, 0);
    Log(c, SIM_REQ_CREATE);
    c->state.opens++;
    c->state.openFiles++;
    return Complete(irp, STATUS_SUCCESS, 0);
}

/* The file's last handle is gone: a reader still waiting on it wakes up and ends. */
static void ReleaseFile(SimChannel *c, PFILE_OBJECT file)
{
    if (c->armedFile == file) {
        Signal(c);
        ReleaseEvent(c);
    }
}

static NTSTATUS WINAPI DispatchCleanup(PDEVICE_OBJECT device, PIRP irp)
{
    SimChannel *c = ChannelOf(device);
    if (c) {
        Log(c, SIM_REQ_CLEANUP);
        c->state.cleanups++;
        ReleaseFile(c, IoGetCurrentIrpStackLocation(irp)->FileObject);
    }
    return Complete(irp, STATUS_SUCCESS, 0);
}

/* Wine sends IRP_MJ_CLOSE without IRP_MJ_CLEANUP. */
static NTSTATUS WINAPI DispatchClose(PDEVICE_OBJECT device, PIRP irp)
{
    SimChannel *c = ChannelOf(device);
    if (c) {
        Log(c, SIM_REQ_CLOSE);
        c->state.closes++;
        c->state.openFiles--;
        ReleaseFile(c, IoGetCurrentIrpStackLocation(irp)->FileObject);
    }
    return Complete(irp, STATUS_SUCCESS, 0);
}

static NTSTATUS WINAPI DispatchIoctl(PDEVICE_OBJECT device, PIRP irp)
{
    PIO_STACK_LOCATION sp = IoGetCurrentIrpStackLocation(irp);
    SimChannel *c = ChannelOf(device);
    if (c)
        return ChannelIoctl(c, irp, sp);
    return ControlIoctl(irp, sp);
}

static void WINAPI DriverUnload(PDRIVER_OBJECT driver)
{
    UNICODE_STRING link;
    (void)driver;
    for (uint32_t i = 0; i < SIM_CHANNEL_COUNT; ++i)
        SetLink(i, 0);
    RtlInitUnicodeString(&link, L"\\DosDevices\\MovraSimControl");
    IoDeleteSymbolicLink(&link);
    for (uint32_t i = 0; i < SIM_CHANNEL_COUNT; ++i) {
        ReleaseEvent(&Channels[i]);
        if (Channels[i].device)
            IoDeleteDevice(Channels[i].device);
        Channels[i].device = NULL;
    }
    if (ControlDevice)
        IoDeleteDevice(ControlDevice);
    ControlDevice = NULL;
}

static NTSTATUS MakeDevice(const WCHAR *name, const WCHAR *linkName, DEVICE_TYPE type, PDRIVER_OBJECT driver,
                           PDEVICE_OBJECT *device)
{
    UNICODE_STRING deviceName, link;
    NTSTATUS status;
    RtlInitUnicodeString(&deviceName, name);
    status = IoCreateDevice(driver, 0, &deviceName, type, 0, FALSE, device);
    if (!NT_SUCCESS(status))
        return status;
    (*device)->Flags |= DO_BUFFERED_IO;
    if (!linkName)
        return STATUS_SUCCESS;
    RtlInitUnicodeString(&link, linkName);
    return IoCreateSymbolicLink(&link, &deviceName);
}

NTSTATUS WINAPI DriverEntry(PDRIVER_OBJECT driver, PUNICODE_STRING registryPath)
{
    NTSTATUS status;
    (void)registryPath;
    driver->MajorFunction[IRP_MJ_CREATE] = DispatchCreate;
    driver->MajorFunction[IRP_MJ_CLEANUP] = DispatchCleanup;
    driver->MajorFunction[IRP_MJ_CLOSE] = DispatchClose;
    driver->MajorFunction[IRP_MJ_DEVICE_CONTROL] = DispatchIoctl;
    driver->DriverUnload = DriverUnload;

    status = MakeDevice(DeviceNames[SIM_CHANNEL_USB], NULL, FILE_DEVICE_MOUSE, driver,
                        &Channels[SIM_CHANNEL_USB].device);
    if (NT_SUCCESS(status))
        status = MakeDevice(DeviceNames[SIM_CHANNEL_NT], NULL, FILE_DEVICE_MOUSE, driver,
                            &Channels[SIM_CHANNEL_NT].device);
    if (NT_SUCCESS(status))
        status = MakeDevice(L"\\Device\\MovraSimControl", L"\\DosDevices\\MovraSimControl", FILE_DEVICE_UNKNOWN,
                            driver, &ControlDevice);
    for (uint32_t i = 0; i < SIM_CHANNEL_COUNT && NT_SUCCESS(status); ++i) {
        ResetChannel(i);
        if (!Channels[i].linked)
            status = STATUS_OBJECT_NAME_COLLISION;
    }
    if (!NT_SUCCESS(status)) {
        DriverUnload(driver);
        return status;
    }
    return STATUS_SUCCESS;
}
