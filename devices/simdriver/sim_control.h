/* The simulated mouse driver: its devices, the records it exchanges with the tray program, and
   its control interface for tests, benchmarks and the demo. Plain C with fixed-width types, so
   the kernel driver, the controller and the tests share it. */
#ifndef MOVRA_SIM_CONTROL_H
#define MOVRA_SIM_CONTROL_H
#include <stdint.h>

/* The driver's own view of the program's requests: device type 0x000F, METHOD_BUFFERED. */
#define SIM_CTL_INIT 995080u
#define SIM_CTL_SETTINGS 995084u
#define SIM_CTL_ARM 995088u
#define SIM_CTL_READ_EVENT 995092u
#define SIM_CTL_START 1003080u
#define SIM_CTL_STOP 1003084u

/* Channels of the driver; the index is also the selector the program puts into its records. */
#define SIM_CHANNEL_USB 0u /* "\\.\USBTrelvix" */
#define SIM_CHANNEL_NT 1u  /* "\\.\TZRMOUSE", device "\Device\PointerClass0" */
#define SIM_CHANNEL_COUNT 2u

/* The control device, for tests only. */
#define SIM_CONTROL_FILE "\\\\.\\MovraSimControl"

/* Control codes: FILE_DEVICE_UNKNOWN, METHOD_BUFFERED, FILE_ANY_ACCESS. */
#define SIM_CONTROL_CODE(function) ((0x22u << 16) | ((function) << 2))
#define SIM_RESET SIM_CONTROL_CODE(0x900u)       /* no input: forget everything, both devices present */
#define SIM_INJECT SIM_CONTROL_CODE(0x901u)      /* SimInjectRecord: queue an event record */
#define SIM_GET_STATE SIM_CONTROL_CODE(0x902u)   /* output SimStateRecord */
#define SIM_FAIL_NEXT SIM_CONTROL_CODE(0x903u)   /* SimChannelRequestRecord: next requests of these kinds fail */
#define SIM_SET_PRESENT SIM_CONTROL_CODE(0x904u) /* SimChannelRequestRecord: 0 removes its DOS name */
#define SIM_REMOVE SIM_CONTROL_CODE(0x905u)      /* SimChannelRequestRecord: remove the device now */
#define SIM_SET_DOS_NAME SIM_CONTROL_CODE(0x906u) /* SimChannelRequestRecord: 0 removes "TZRMOUSE" */

/* Kinds of request for SIM_FAIL_NEXT, as bits. */
#define SIM_FAIL_ARM 0x01u
#define SIM_FAIL_READ 0x02u
#define SIM_FAIL_INIT 0x04u
#define SIM_FAIL_START 0x08u

typedef struct SimEventRecord {
    uint32_t value;
    uint32_t buttonState;
    uint32_t auxA;
    uint32_t auxB;
} SimEventRecord;

typedef struct SimSettingsRecord {
    uint32_t field[9];
} SimSettingsRecord;

typedef struct SimArmRecord {
    uint16_t selector;
    uint16_t swapFlag;
    uint32_t eventHandle;
} SimArmRecord;

typedef struct SimInjectRecord {
    uint32_t channel;
    SimEventRecord event;
} SimInjectRecord;

typedef struct SimChannelRequestRecord {
    uint32_t channel;
    uint32_t argument;
} SimChannelRequestRecord;

/* Requests in the order a channel saw them (SimChannelState.requests). */
#define SIM_REQ_CREATE 1u
#define SIM_REQ_INIT 2u
#define SIM_REQ_SETTINGS 3u
#define SIM_REQ_ARM 4u
#define SIM_REQ_READ 5u
#define SIM_REQ_START 6u
#define SIM_REQ_STOP 7u
#define SIM_REQ_CLEANUP 8u
#define SIM_REQ_CLOSE 9u
#define SIM_REQUEST_LOG 64u

#define SIM_SETTINGS_LOG 8u
#define SIM_QUEUE_LENGTH 64u

typedef struct SimChannelState {
    uint32_t present;          /* its DOS name exists, so opens succeed */
    uint32_t removed;          /* removed while open: every request fails */
    uint32_t opens;            /* IRP_MJ_CREATE seen */
    uint32_t cleanups;         /* IRP_MJ_CLEANUP seen (last handle of a file closed) */
    uint32_t closes;           /* IRP_MJ_CLOSE seen */
    uint32_t openFiles;        /* opens minus closes */
    uint32_t started;          /* between CTL_START and CTL_STOP */
    uint32_t starts;
    uint32_t stops;
    uint32_t inits;
    uint32_t initSize;
    SimSettingsRecord initRecord;
    uint32_t settingsCount;    /* CTL_SETTINGS seen; the last SIM_SETTINGS_LOG are kept */
    SimSettingsRecord settings[SIM_SETTINGS_LOG]; /* settings[(n - 1) % LOG] is the n-th */
    uint32_t arms;
    SimArmRecord lastArm;
    uint32_t armed;            /* an event is held for the next record */
    uint32_t reads;
    uint32_t emptyReads;       /* reads that found no record */
    uint32_t queued;           /* records waiting */
    uint32_t injected;
    uint32_t dropped;          /* injected while the queue was full */
    uint32_t failNext;         /* SIM_FAIL_ bits still pending */
    uint32_t failed;           /* requests failed on purpose (SIM_FAIL_NEXT, removal) */
    uint32_t refused;          /* requests refused as malformed (size, code, access) */
    uint32_t requestCount;     /* every request seen; the first SIM_REQUEST_LOG are logged */
    uint8_t requests[SIM_REQUEST_LOG];
} SimChannelState;

typedef struct SimStateRecord {
    uint32_t size;             /* sizeof(SimStateRecord), for a check on both sides */
    uint32_t dosName;          /* "\DosDevices\TZRMOUSE" exists */
    SimChannelState channel[SIM_CHANNEL_COUNT];
} SimStateRecord;

#endif
