# The example file, checked and then stored: the five devices, as the check counts them.
--- needs gateway_bus
--- devices.txt
# Devices of gateway GW-0417, cold store hall B
# product key, device name, device secret
[a1FrG7xQp2L,coldroom-b-temp-01,9f3c2a7d1e6b4c58a0d2e7f1b3c5d7e9]
[a1FrG7xQp2L,coldroom-b-temp-02,4b8e0c6a2f1d3e5a7c9b0d2f4e6a8c1b]
[a1FrG7xQp2L,coldroom-b-door-01,7d2f9a1c3e5b7d9f0a2c4e6b8d1f3a5c]
# humidity sensors were added after the 2026 audit
[a1Hm8Kd3Vw0,coldroom-b-hum-01,1c3e5a7b9d0f2a4c6e8b1d3f5a7c9e0b]
[a1Hm8Kd3Vw0,coldroom-b-hum-02 , 2e4a6c8e0b1d3f5a7c9e2b4d6f8a0c1d]
coldroom-b-hum-03 missing its brackets
[a1Hm8Kd3Vw0,coldroom-b-hum-04]
[a1Hm8Kd3Vw0,,5f7b9d1a3c5e7f9b0d2a4c6e8f1b3d5a]
--- $ triple_check devices.txt; triple_import devices.txt | grep -v '^method return'; stored_list
devices.txt:8: warning: field 2 ends with a blank
devices.txt:8: warning: field 3 starts with a blank
devices.txt:9: error: no '[' in the line
devices.txt:10: error: field 3 is missing: the line ends before a second ','
devices.txt:11: error: field 2 is empty
devices.txt: 5 devices, 3 refused lines, 2 warnings; the import command takes 556 of 131071 bytes, room for about 1812 more devices of this file's average width
Current Dir = {dir} 
Import device: [a1FrG7xQp2L coldroom-b-temp-01 9f3c2a7d1e6b4c58a0d2e7f1b3c5d7e9] 
Import device: [a1FrG7xQp2L coldroom-b-temp-02 4b8e0c6a2f1d3e5a7c9b0d2f4e6a8c1b] 
Import device: [a1FrG7xQp2L coldroom-b-door-01 7d2f9a1c3e5b7d9f0a2c4e6b8d1f3a5c] 
Import device: [a1Hm8Kd3Vw0 coldroom-b-hum-01 1c3e5a7b9d0f2a4c6e8b1d3f5a7c9e0b] 
Import device: [a1Hm8Kd3Vw0 coldroom-b-hum-02   2e4a6c8e0b1d3f5a7c9e2b4d6f8a0c1d] 
Line 9 format error: coldroom-b-hum-03 missing its brackets
 
Line 10: get triple error: [a1Hm8Kd3Vw0,coldroom-b-hum-04]
 
Line 11: get triple error: [a1Hm8Kd3Vw0,,5f7b9d1a3c5e7f9b0d2a4c6e8f1b3d5a]
 
Find 5 items.
[["a1FrG7xQp2L","coldroom-b-temp-01","9f3c2a7d1e6b4c58a0d2e7f1b3c5d7e9"],["a1FrG7xQp2L","coldroom-b-temp-02","4b8e0c6a2f1d3e5a7c9b0d2f4e6a8c1b"],["a1FrG7xQp2L","coldroom-b-door-01","7d2f9a1c3e5b7d9f0a2c4e6b8d1f3a5c"],["a1Hm8Kd3Vw0","coldroom-b-hum-01","1c3e5a7b9d0f2a4c6e8b1d3f5a7c9e0b"],["a1Hm8Kd3Vw0","coldroom-b-hum-02 "," 2e4a6c8e0b1d3f5a7c9e2b4d6f8a0c1d"]]
--- status 1 0
