--- devices.txt
\ No newline at end of file
--- $ triple_import no/such/file.txt
Current Dir = {dir} 
{tool}: Unable to open no/such/file.txt
\ No newline at end of file
--- status 255
