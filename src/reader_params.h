// The operator's parameters, as the pages leave them for the link threads'
// command side and the controller. Each is defined beside the page that
// writes it; everything that only reads them includes this header, never a
// page header. All of them live on the GUI thread. Texts are UTF-8.
#pragma once

#include <cstdint>
#include <string>

// Connection page.
extern int LinkMethod;             // link method chosen: 0 RS-232, 1 TCP/IP, 2 USB-HID
extern std::string UartNumber;     // serial port to open
extern long BaudRate;              // rate to open it with
extern std::string ipv4_hostname;  // reader's IPv4 address
extern int tcp_port;               // reader's TCP port
extern uint8_t GetGpio1Value;      // level to write to GPIO 1: 1 high, 0 low
extern uint8_t GetGpio2Value;      // level to write to GPIO 2
extern uint8_t GetBeepStatus;      // 0 quiet, 1 beep after every tag read
extern uint8_t RS485Address;       // new RS-485 address to program
extern uint8_t GetUartBound;       // index of the new reader baud rate, not the rate

// RF-parameter page and its frequency plan.
extern uint8_t WorkAnt;            // work antenna 1..8
extern uint8_t FastEpc;            // multi-tag mode: 0 off, 1 on
extern uint8_t AntPower[8];        // output power of antennas 1..8 in dBm
extern uint8_t FreqStandard;       // 1 FCC, 2 ETSI, 3 CHN, 4 custom
extern uint8_t StartFreqStandard;  // first channel of the standard plan
extern uint8_t EndFreqStandard;    // last channel of the standard plan
extern int StartFreq;              // custom plan: start frequency in kHz
extern int FreqSpace;              // custom plan: channel spacing in kHz
extern uint8_t FreqQuantity;       // custom plan: number of channels
extern uint8_t RfProfileID;        // RF link profile id

// Firmware-upgrade page.
extern bool Upgrade_Enable;                 // a firmware file has been chosen
extern unsigned int UpObject;               // 0 reader application, 1 baseband firmware
extern std::string Bin_Path;                // the chosen firmware image
extern int Gaugeupgrade_Postion;            // upgrade progress in percent
extern unsigned int upgrade_timeout_count;  // consecutive upgrade time-outs
extern bool upgraed_flag;                   // the upgrade may go on sending packets

// Serial monitor: the raw frame typed by the operator.
extern uint8_t UartData[50];  // command code, then the frame's data
extern int sendlenght;        // bytes of UartData to send

// Real-time inventory page.
extern uint8_t WorkAntenna;          // antenna 1..8 the inventory starts on
extern uint8_t SelectInventoryMode;  // 0 plain real-time, else session inventory
extern uint8_t SessionID;            // session 0..4 (S0..S3, SL)
extern uint8_t InventoryFlag;        // inventoried flag 0 (A) or 1 (B)

// Buffered inventory page.
extern uint8_t BuffInventoryWorkAntenna;  // antenna 1..8

// Antenna-switch inventory page.
extern uint8_t ant_num;                   // rounds the reader supports: 1, 4 or 8
extern uint8_t Round_Ant[8];              // antenna (1-based) of rounds A..H
extern uint8_t Round_Num[8];              // poll count of rounds A..H
extern uint8_t ChangeAntInventory_Round;  // cycles over the rounds, 1..255
extern uint8_t session_select;            // session 0..4 (S0..S3, SL)
extern uint8_t flag_select;               // target flag 0 (A) or 1 (B)

// Custom inventory page.
extern uint8_t inventory_round;  // round count, 1..255
extern uint8_t inventory_mode;   // match mode; 0 plain EPC inventory
extern uint8_t custom_read_len;  // match length the reader takes

// Tag-storage page.
extern uint8_t OperateArea;          // memory bank or GB area of read and write
extern uint32_t OperateStartAddr;    // start address (word pointer) of read and write
extern uint16_t DataLenght;          // word count of read and write
extern uint32_t OperatePassWord;     // access password of read and write
extern uint32_t LockPassWord;        // access password of lock
extern uint32_t DistroyPassWord;     // kill password
extern char WriteData[50];           // data to write, two bytes per word
extern uint8_t WriteMethod;          // write-command selector of the TCP and HID links
extern uint8_t LockArea;             // lock area (choice index + 1)
extern uint8_t LockSelect;           // lock action (choice index)
extern char EPC_Select[32];          // byte 0: EPC bytes to match minus one; then the bytes
extern char DoubleIdentify_Key[16];  // key of the GB two-way authentication
