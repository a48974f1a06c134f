// The x64 (ARM64EC) view's load configuration. Its CHPE metadata pointer (offset 0xC8) names
// __chpe_metadata, laid out as version 2 of that table; the linker fills in the __hybrid_* and
// __arm64x_* symbols. A forwarder has no code, so the tables they describe are empty.
        .section .rdata,"dr"
        .globl _load_config_used
        .p2align 3, 0
_load_config_used:
        .word 0x140
        .fill 0xc4,1,0
        .xword __chpe_metadata
        .fill 0x70,1,0

        .data
        .globl __chpe_metadata
        .p2align 3, 0
__chpe_metadata:
        .word 2
        .rva __hybrid_code_map
        .word __hybrid_code_map_count
        .rva __x64_code_ranges_to_entry_points
        .rva __arm64x_redirection_metadata
        .word 0, 0, 0, 0, 0
        .rva __arm64x_native_entrypoint
        .rva __hybrid_auxiliary_iat
        .word __x64_code_ranges_to_entry_points_count
        .word __arm64x_redirection_metadata_count
        .word 0, 0
        .rva __arm64x_extra_rfe_table
        .word __arm64x_extra_rfe_table_size
        .word 0
        .rva __hybrid_auxiliary_iat_copy
        .rva __hybrid_auxiliary_delayload_iat
        .rva __hybrid_auxiliary_delayload_iat_copy
        .word __hybrid_image_info_bitfield
        .word 0, 0, 0, 0, 0, 0
