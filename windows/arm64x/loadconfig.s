// The native ARM64 view's load configuration: the size field alone, the rest zero.
        .section .rdata,"dr"
        .globl _load_config_used
        .p2align 3, 0
_load_config_used:
        .word 0x140
        .fill 0x13c,1,0
