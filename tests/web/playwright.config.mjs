// The page end to end in Debian's Chromium: the site that scripts/web builds into build-web/site,
// served as scripts/serve-site.py serves it. Nothing is downloaded: the browser is the system's.
import { defineConfig } from '@playwright/test';

const port = Number(process.env.ORBELQUINT_WEB_PORT ?? 8765);

export default defineConfig({
  testDir: '.',
  testMatch: /\.browser\.mjs$/,
  // Room for a machine that builds something else meanwhile.
  timeout: 60_000,
  expect: { timeout: 10_000 },
  workers: 2,
  reporter: [['list']],
  use: {
    baseURL: `http://127.0.0.1:${port}/`,
    acceptDownloads: true,
    launchOptions: {
      executablePath: '/usr/bin/chromium',
      // A closed network: Chromium asks no service of its own.
      args: ['--no-sandbox', '--disable-gpu', '--disable-quic', '--no-first-run', '--disable-background-networking',
        '--disable-component-update', '--disable-sync', '--disable-default-apps'],
    },
  },
  webServer: {
    command: `python3 ../../scripts/serve-site.py ../../build-web/site ${port}`,
    url: `http://127.0.0.1:${port}/`,
    reuseExistingServer: false,
    stdout: 'ignore',
  },
});
